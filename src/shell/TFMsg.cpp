#include "TFMsg.h"

TFMsg* FMsg = nullptr;

TFMsg::TFMsg(QWidget* parent) : FormOf(FMsg, QStringLiteral("FMsg"), QStringLiteral("Message Window"), parent) {}
