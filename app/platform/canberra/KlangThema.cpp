#include "app/platform/canberra/KlangThema.hpp"

#include "app/platform/KindProzess.hpp"

#include <QSettings>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

QString ausKdeglobals() {
    const QString datei =
        QStandardPaths::locate(QStandardPaths::GenericConfigLocation, u"kdeglobals"_s);
    if (datei.isEmpty()) {
        return {};
    }
    return QSettings(datei, QSettings::IniFormat).value(u"Sounds/Theme"_s).toString().trimmed();
}

QString ausGsettings() {
    const std::optional<QByteArray> ausgabe = KindProzess::ausgabe(
        u"gsettings"_s, {u"get"_s, u"org.gnome.desktop.sound"_s, u"theme-name"_s},
        std::chrono::seconds(2));
    // Printed as a GVariant string: 'name'
    QString name = QString::fromUtf8(ausgabe.value_or(QByteArray())).trimmed();
    if (name.size() >= 2 && name.startsWith(u'\'') && name.endsWith(u'\'')) {
        name = name.mid(1, name.size() - 2);
    }
    return name;
}

} // namespace

QString KlangThema::ermittle() {
    if (qEnvironmentVariable("XDG_CURRENT_DESKTOP").contains(u"KDE"_s)) {
        const QString kde = ausKdeglobals();
        if (!kde.isEmpty()) {
            return kde;
        }
    }
    const QString gnome = ausGsettings();
    return gnome.isEmpty() ? u"freedesktop"_s : gnome;
}

} // namespace parlix
