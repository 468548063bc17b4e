#pragma once
// The offsets window's sketch: the pole with the GNSS antenna on top and the
// transducer at its foot, the waterline (T/H) and the distances A, B and C.

#include <QWidget>

class OffsetsSketch : public QWidget {
    Q_OBJECT
public:
    explicit OffsetsSketch(QWidget* parent = nullptr);
    QSize sizeHint() const override { return {100, 129}; }

protected:
    void paintEvent(QPaintEvent* event) override;
};
