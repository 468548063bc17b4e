#pragma once
// The "SVP Profile Graph - Drag Points or Lasso Select" window.

#include "platform/Form.h"

class TfSVPGraph : public skerra::FormOf<TfSVPGraph> {
    Q_OBJECT
public:
    explicit TfSVPGraph(QWidget* parent = nullptr);
};

extern TfSVPGraph* fSVPGraph;
