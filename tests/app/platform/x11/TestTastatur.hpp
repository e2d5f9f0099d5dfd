#pragma once

#include "app/platform/x11/XVerbindung.hpp"

#include <QString>
#include <QtGlobal>
#include <optional>

namespace parlix::test {

// The user's keyboard: keys pressed and released through XTest on a connection of its
// own, the way a test drives any application.
class TestTastatur {
public:
    TestTastatur();

    void druecke(quint64 keysym);
    void lasse(quint64 keysym);
    // Press and release.
    void tippe(quint64 keysym);

    const XVerbindung& verbindung() const { return *verbindung_; }

private:
    std::optional<XVerbindung> verbindung_;
};

} // namespace parlix::test
