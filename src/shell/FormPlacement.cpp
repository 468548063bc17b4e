#include "FormPlacement.h"

#include "PlacementRules.h"
#include "platform/AppPaths.h"
#include "platform/IniFile.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void SaveFormPlacement(QWidget* form)
{
    skerra::IniFile ini(skerra::settingsFilePath());
    const QString section = form->objectName();
    const int state = form->isMaximized() ? 2 : (form->isMinimized() ? 1 : 0);
    // Left/Top are the window's position as move() takes it, Width/Height its size as
    // resize() takes it, so a restore puts the window back where it was.
    const QRect bounds = form->isMinimized() ? form->normalGeometry() : QRect(form->pos(), form->size());
    skerra::IniFile::Batch batch(ini);
    ini.WriteInteger(section, "WindowState", state);
    ini.WriteInteger(section, "Left", bounds.left());
    ini.WriteInteger(section, "Top", bounds.top());
    ini.WriteInteger(section, "Width", bounds.width());
    ini.WriteInteger(section, "Height", bounds.height());
    batch.commit();
}

void LoadFormPlacement(QWidget* form, bool withSize)
{
    const skerra::IniFile ini(skerra::settingsFilePath());
    const QString section = form->objectName();
    if (ini.ReadInteger(section, "WindowState", 0) == 2) {
        form->showMaximized();
        return;
    }
    if (form->isMinimized() || form->isMaximized()) form->showNormal();
    QPoint pos(ini.ReadInteger(section, "Left", 0), ini.ReadInteger(section, "Top", 0));
    if (withSize)
        form->resize(ini.ReadInteger(section, "Width", form->width()),
                     ini.ReadInteger(section, "Height", form->height()));
    QSize screen(1920, 1080);
    if (const QScreen* primary = QGuiApplication::primaryScreen()) screen = primary->size();
    form->move(skerra::keepOnScreen(pos, screen));
}
