#pragma once
// The "Halvek NTRIP Client" window. It owns the program's one NTRIP client.

#include "platform/Form.h"

class THalvekNTRIPClient;
class TCorrectionSink;

class TfrmNTRIPSettings : public skerra::FormOf<TfrmNTRIPSettings> {
    Q_OBJECT
public:
    explicit TfrmNTRIPSettings(QWidget* parent = nullptr);
    ~TfrmNTRIPSettings() override;

    THalvekNTRIPClient* Client = nullptr;
    QString GpsPortName;

    // The GNSS port that receives the corrections, handed over by the main window.
    void SetGPSPort(TCorrectionSink* port, const QString& portName);
    // The position sent to the caster in the GGA sentence (degrees, metres).
    void SetVesselPosition(double latitude, double longitude, double altitude);

private:
    void FormCreate();
};

extern TfrmNTRIPSettings* frmNTRIPSettings;
