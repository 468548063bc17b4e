#pragma once
// The "Latency" window: the current and averaged latency the map timer measures,
// and a box coloured lime below the user's tolerance, red at or above it.

#include "platform/Form.h"

class QGroupBox;
class QLineEdit;

class TfLatency : public skerra::FormOf<TfLatency> {
    Q_OBJECT
public:
    explicit TfLatency(QWidget* parent = nullptr);

    // Writes the two display edits, the current latency first (its change colours
    // the box). Texts that are not integers change no colour and raise nothing.
    void SetLatencyTexts(const QString& current, const QString& averaged);

    QGroupBox* gLatency = nullptr;
    QLineEdit* eCurrentLatency = nullptr;
    QLineEdit* eLatencyAveraged = nullptr;
    QLineEdit* eLatencyTol = nullptr;

    void FormCreate();
    void eLatencyTolChange();
    void eCurrentLatencyChange();

private:
    QLineEdit* addLabelledEdit(const char* name, const QString& label, int column);
};

extern TfLatency* fLatency;
