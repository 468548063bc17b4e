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
    const QRect bounds = form->isMinimized() ? form->normalGeometry() : form->frameGeometry();
    skerra::IniFile::Batch batch(ini);
    ini.WriteInteger(section, "WindowState", state);
    ini.WriteInteger(section, "Left", bounds.left());
    ini.WriteInteger(section, "Top", bounds.top());
    ini.WriteInteger(section, "Width", form->width());
    ini.WriteInteger(section, "Height", form->height());
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
