#include "devices/SerialCorrectionSink.h"

#include "devices/serial/THalvekSerialGPS.h"
#include "serial/SerialTestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(SerialCorrectionSink, RelaysOnlyWhileTheDeviceIsOpen)
{
    auto state = std::make_shared<serialtest::FakeLinkState>();
    THalvekSerialGPS device;
    device.MakeLink = [state] { return std::make_unique<serialtest::FakeLink>(state); };
    SerialCorrectionSink sink(&device);

    sink.WriteRaw("\xD3\x00\x01", 3);
    EXPECT_FALSE(sink.IsOpen());

    device.Open();
    ASSERT_TRUE(device.Connected());
    EXPECT_TRUE(sink.IsOpen());
    const char frame[] = {'\xD3', '\x00', '\x00', '\0', 'x'};  // every byte value passes through
    sink.WriteRaw(frame, sizeof frame);
    EXPECT_EQ(state->written, std::string(frame, sizeof frame));

    device.Close();
    sink.WriteRaw("late", 4);
    EXPECT_EQ(state->written, std::string(frame, sizeof frame));

    device.Open();  // a reopened port gets the corrections again
    sink.WriteRaw("new", 3);
    EXPECT_EQ(state->written.substr(sizeof frame), "new");
}

TEST(SerialCorrectionSink, ADestroyedDeviceIsNeverWritten)
{
    auto device = std::make_unique<THalvekSerialGPS>();
    SerialCorrectionSink sink(device.get());
    device.reset();
    EXPECT_FALSE(sink.IsOpen());
    sink.WriteRaw("x", 1);
}

}  // namespace
