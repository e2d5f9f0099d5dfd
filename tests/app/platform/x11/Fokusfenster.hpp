#pragma once

#include "tests/support/KopflosesDesktop.hpp"

#include <QString>

namespace parlix::test {

// The application the user types into: an xev window that has the focus and reports
// every key it receives.
class Fokusfenster {
public:
    explicit Fokusfenster(KopflosesDesktop& desktop);
    ~Fokusfenster();
    Fokusfenster(const Fokusfenster&) = delete;
    Fokusfenster& operator=(const Fokusfenster&) = delete;

    bool bereit() const { return fenster_ != 0; }
    quint64 fenster() const { return fenster_; }

    // Waits up to `frist` until `anzahl` presses of the key named `name` ("Control_L",
    // "d") have arrived in all; whether they have.
    bool warteAuf(const QString& name, int anzahl = 1,
                  std::chrono::milliseconds frist = std::chrono::seconds(10));
    // The presses of that key that have arrived so far.
    int anzahl(const QString& name);

private:
    KindProzess& xev_;
    quint64 fenster_ = 0;
    QString ausgabe_;
};

} // namespace parlix::test
