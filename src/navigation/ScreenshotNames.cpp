#include "ScreenshotNames.h"

#include <map>

namespace {

QString placeName(const std::vector<QRect>& screens, std::size_t i)
{
    int left = 0, right = 0, above = 0, below = 0;
    const QRect& me = screens[i];
    for (std::size_t j = 0; j < screens.size(); ++j) {
        if (j == i) continue;
        left += screens[j].left() < me.left();
        right += screens[j].left() > me.left();
        above += screens[j].top() < me.top();
        below += screens[j].top() > me.top();
    }
    if (left == 0 && right > 0) return QStringLiteral("Left");
    if (right == 0 && left > 0) return QStringLiteral("Right");
    if (left > 0 && right > 0) return QStringLiteral("Middle");
    if (above == 0 && below > 0) return QStringLiteral("Top");
    if (below == 0 && above > 0) return QStringLiteral("Bottom");
    return QStringLiteral("Monitor%1").arg(i + 1);
}

}  // namespace

std::vector<QString> DistinctScreenshotNames(std::vector<QString> names)
{
    std::map<QString, int> uses;
    for (const QString& name : names) ++uses[name];
    for (std::size_t i = 0; i < names.size(); ++i)
        if (uses[names[i]] > 1) names[i] += QStringLiteral(" %1").arg(i + 1);
    return names;
}

std::vector<QString> ScreenshotNames(const std::vector<QRect>& screens)
{
    if (screens.size() == 1) return {QStringLiteral("Primary")};
    std::vector<QString> names;
    for (std::size_t i = 0; i < screens.size(); ++i) names.push_back(placeName(screens, i));
    return DistinctScreenshotNames(std::move(names));
}

QString ScreenshotFolder(const std::string& dayFolder) { return QString::fromStdString(dayFolder) + "PNG/"; }

QString ScreenshotFileName(const QString& folder, const QDateTime& now, const QString& name)
{
    return folder + "ZQB " + now.toString(QStringLiteral("yyyy-MM-dd HHmmss")) + " " + name + ".png";
}
