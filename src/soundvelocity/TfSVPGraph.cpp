#include "TfSVPGraph.h"

TfSVPGraph* fSVPGraph = nullptr;

TfSVPGraph::TfSVPGraph(QWidget* parent) : FormOf(fSVPGraph, QStringLiteral("fSVPGraph"), QStringLiteral("SVP Profile Graph - Drag Points or Lasso Select"), parent) {}
