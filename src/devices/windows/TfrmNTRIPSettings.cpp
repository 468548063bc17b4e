#include "TfrmNTRIPSettings.h"

#include "devices/ntrip/THalvekNTRIPClient.h"
#include "platform/HandlerGuard.h"

TfrmNTRIPSettings* frmNTRIPSettings = nullptr;

TfrmNTRIPSettings::TfrmNTRIPSettings(QWidget* parent)
    : FormOf(frmNTRIPSettings, QStringLiteral("frmNTRIPSettings"), QStringLiteral("Halvek NTRIP Client"), parent)
{
    skerra::guarded(this, [this] { FormCreate(); });
}

TfrmNTRIPSettings::~TfrmNTRIPSettings()
{
    // The worker is joined before the client goes; the relay target may already be gone.
    if (Client) {
        Client->SetSerialPortHandle(nullptr);
        Client->Disconnect();
    }
}

void TfrmNTRIPSettings::FormCreate() { Client = new THalvekNTRIPClient(this); }

void TfrmNTRIPSettings::SetGPSPort(TCorrectionSink* port, const QString& portName)
{
    if (Client) Client->SetSerialPortHandle(port);
    if (!portName.isEmpty()) GpsPortName = portName;
}

void TfrmNTRIPSettings::SetVesselPosition(double latitude, double longitude, double altitude)
{
    if (Client) Client->SetPosition(latitude, longitude, altitude);
}
