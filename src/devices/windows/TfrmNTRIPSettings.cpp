#include "TfrmNTRIPSettings.h"

TfrmNTRIPSettings* frmNTRIPSettings = nullptr;

TfrmNTRIPSettings::TfrmNTRIPSettings(QWidget* parent) : FormOf(frmNTRIPSettings, QStringLiteral("frmNTRIPSettings"), QStringLiteral("Halvek NTRIP Client"), parent) {}
