#include "SerialCorrectionSink.h"

#include "devices/serial/THalvekSerialGPS.h"

SerialCorrectionSink::SerialCorrectionSink(THalvekSerialGPS* device) : device_(device) {}

bool SerialCorrectionSink::IsOpen() const { return device_ && device_->Connected(); }

void SerialCorrectionSink::WriteRaw(const char* data, int length)
{
    if (IsOpen() && length > 0) device_->WriteRaw(QByteArray(data, length));
}

skerra::CorrectionRelayCounts SerialCorrectionSink::RelayCounts() const
{
    return device_ ? device_->CorrectionCounts() : skerra::CorrectionRelayCounts{};
}
