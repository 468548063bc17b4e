#include "FormPlacement.h"

#include "PlacementRules.h"
#include "platform/AppPaths.h"
#include "platform/Form.h"
#include "platform/IniFile.h"
#include "platform/ScreenPlacement.h"

#include <QWidget>

void SaveFormPlacement(QWidget* form)
{
    // A window not shown in this run has not been placed by the user: its stored place stays.
    if (auto* window = qobject_cast<skerra::Form*>(form); window && !window->wasShown()) return;
    skerra::IniFile ini(skerra::settingsFilePath());
    const QString section = form->objectName();
    const int state = form->isMaximized() ? 2 : (form->isMinimized() ? 1 : 0);
    // Left/Top are the position of the window's frame, as the restore puts it back,
    // Width/Height its size as resize() takes it.
    const QPoint frameOffset = skerra::expectedFrame(form).topLeft() - form->geometry().topLeft();
    const QRect client = form->isMinimized() ? form->normalGeometry() : form->geometry();
    const QRect bounds(client.topLeft() + frameOffset, client.size());
    skerra::IniFile::Batch batch(ini);
    ini.WriteInteger(section, "WindowState", state);
    ini.WriteInteger(section, "Left", bounds.left());
    ini.WriteInteger(section, "Top", bounds.top());
    ini.WriteInteger(section, "Width", bounds.width());
    ini.WriteInteger(section, "Height", bounds.height());
    batch.commit();
}

bool HasStoredPlacement(const QWidget* form)
{
    const skerra::IniFile ini(skerra::settingsFilePath());
    const QString section = form->objectName();
    return ini.ValueExists(section, "Left") || ini.ValueExists(section, "Top");
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
    // Nothing stored yet: the window stays at its default place, or where it was moved since.
    const bool stored = HasStoredPlacement(form);
    if (withSize)
        form->resize(ini.ReadInteger(section, "Width", form->width()),
                     ini.ReadInteger(section, "Height", form->height()));
    if (stored) {
        QPoint pos(ini.ReadInteger(section, "Left", 0), ini.ReadInteger(section, "Top", 0));
        const QRect area = skerra::availableAreaFor(form);
        skerra::moveFrameTo(form, area.topLeft() + skerra::keepOnScreen(pos - area.topLeft(), area.size()));
        if (auto* window = qobject_cast<skerra::Form*>(form)) window->markPlaced();
    }
    skerra::keepFrameOnScreen(form);
}
