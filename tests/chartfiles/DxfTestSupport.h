#pragma once
// Small DXF drawings built in memory, and a canvas to load them into.

#include "canvas/THalvekCanvasModel.h"
#include "chartfiles/DxfByteSource.h"
#include "chartfiles/DxfLoad.h"
#include "platform/MessageBox.h"

#include <QString>
#include <QStringList>

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace dxftest {

// Lines joined with "\n" (and one after the last).
inline std::string lines(std::initializer_list<std::string_view> ls)
{
    std::string out;
    for (std::string_view l : ls) {
        out += l;
        out += '\n';
    }
    return out;
}

// An ENTITIES section around the given lines (which start with a "0" code line).
inline std::string entities(std::string_view body)
{
    return "0\nSECTION\n2\nENTITIES\n" + std::string(body) + "0\nENDSEC\n0\nEOF\n";
}

// Records every message shown while it lives.
class MessageRecorder {
public:
    MessageRecorder()
    {
        previous_ = skerra::setMessageHandler([this](const skerra::MessageRequest& r) {
            texts.append(r.text);
            return r.defaultButton;
        });
    }
    ~MessageRecorder() { skerra::setMessageHandler(previous_); }
    QStringList texts;

private:
    skerra::MessageHandler previous_;
};

inline bool load(THalvekCanvasModel& canvas, std::string_view bytes, const QString& name = "plan.dxf",
                 QString* reason = nullptr)
{
    DxfMemorySource source(bytes);
    return DXFLoadFromSource(canvas, source, name, reason);
}

inline std::vector<THShape*> shapes(const THalvekCanvasModel& canvas)
{
    std::vector<THShape*> out;
    for (THShape* s : canvas.Shapes())
        out.push_back(s);
    return out;
}

// The vertices of a polyline as (x, y) pairs.
inline std::vector<std::pair<double, double>> vertices(const THShape* s)
{
    std::vector<std::pair<double, double>> out;
    if (const auto* p = shape_cast<THPolyline>(s))
        for (int i = 0; i < p->PointCount(); ++i)
            out.emplace_back(p->GetPointX(i), p->GetPointY(i));
    return out;
}

}  // namespace dxftest
