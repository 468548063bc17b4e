#include "devices/SerialCorrectionSink.h"

#include "devices/serial/THalvekSerialGPS.h"
#include "rtcm/RTCMFrameBuilder.h"
#include "serial/SerialTestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(SerialCorrectionSink, RelaysOnlyWhileTheDeviceIsOpen)
{
    auto state = std::make_shared<serialtest::FakeLinkState>();
    THalvekSerialGPS device;
    device.MakeLink = [state] { return std::make_unique<serialtest::FakeLink>(state); };
    device.Port = QStringLiteral("ttyUSB0");
    SerialCorrectionSink sink(&device);

    sink.WriteRaw("\xD3\x00\x01", 3);
    EXPECT_FALSE(sink.IsOpen());

    device.Open();
    ASSERT_TRUE(device.Connected());
    EXPECT_TRUE(sink.IsOpen());
    // Every byte value passes through.
    const std::string frame = skerra::rtcm::test::frameOf(std::string("\0\xD3\xFFx", 4));
    sink.WriteRaw(frame.data(), static_cast<int>(frame.size()));
    EXPECT_EQ(state->written, frame);

    device.Close();
    sink.WriteRaw("late", 4);
    EXPECT_EQ(state->written, frame);

    device.Open();  // a reopened port gets the corrections again
    sink.WriteRaw("new", 3);
    EXPECT_EQ(state->written.substr(frame.size()), "new");
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
