#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>

namespace parlix {

class RenderUmgebung;

// The views the render harness can draw, by name: statusPanel, hud.energie.aufnehmend,
// verlaufLeer, ... A view is registered as a function that builds its widget (a
// window or any part of one) in a given RenderUmgebung, sized as it should appear; the
// harness draws it to a PNG of that size. Names are dotted and sort into groups.
class AnsichtenRegister {
public:
    using Bauer = std::function<std::unique_ptr<QWidget>(RenderUmgebung& umgebung)>;

    // A name registered twice keeps the later builder.
    void registriere(const QString& name, Bauer bauer);

    QStringList namen() const { return bauer_.keys(); }
    // Null for an unknown name.
    const Bauer* bauer(const QString& name) const;
    // The names matching any of the patterns ("hud.*", "statusPanel"); all for none.
    QStringList waehle(const QStringList& muster) const;

private:
    QMap<QString, Bauer> bauer_;
};

} // namespace parlix
