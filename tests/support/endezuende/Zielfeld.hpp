#pragma once

#include <QString>
#include <chrono>
#include <functional>

namespace parlix::test {

class Buehne;

// A text field of a real application, focused as the user would have it before
// dictating, and the way to read back what it holds as the user sees it.
class Zielfeld {
public:
    // A Qt line edit holding `text` with a range selected (parlix_testfeld).
    static Zielfeld qt(Buehne& buehne, const QString& text = {}, int auswahlVon = 0,
                       int auswahlLaenge = 0);
    // A GTK entry (zenity).
    static Zielfeld gtk(Buehne& buehne);
    // A shell reading a line in a terminal (xterm).
    static Zielfeld terminal(Buehne& buehne);
    // A text area of a web page in Chromium.
    static Zielfeld chromium(Buehne& buehne);

    const QString& name() const { return name_; }
    // The application's window came up and has the keyboard focus.
    bool bereit() const { return bereit_; }
    // Waits until the field holds exactly `text`. Some applications show what their field
    // holds only once the user confirms it with Return, which this then does first: call
    // it once the paste is done.
    bool haeltBald(const QString& text, std::chrono::milliseconds frist = std::chrono::seconds(20));
    // The text of the field as last seen, without confirming anything.
    QString inhalt();

private:
    Zielfeld(QString name, QString titel, Buehne& buehne);
    bool warteAufFokus(std::chrono::milliseconds frist);

    QString name_;
    QString titel_;
    Buehne* buehne_;
    bool bereit_ = false;
    // Reads what the application shows of its field now, after `bestaetigen` ran once.
    std::function<QString()> lies_;
    std::function<void()> bestaetige_;
};

} // namespace parlix::test
