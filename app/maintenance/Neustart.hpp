#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace parlix {

class DefaultsStore;

// Restarting the program, at once or after asking. The new process is started only
// after this one has ended, so that it gets the single-instance lock.
class Neustart {
public:
    struct Einrichtung {
        QString programm;             // started again, with
        QStringList argumente;        // these arguments
        qint64 pid = 0;               // once this process has ended
        std::function<void()> beende; // asks the program to quit
    };
    // Shows the question; true for "restart now".
    using Frage = std::function<bool(const QString& titel, const QString& text,
                                     const QString& jetzt, const QString& spaeter)>;

    // This program with its arguments, this process, a queued QCoreApplication::quit().
    static Einrichtung diesesProgramm();

    // Plans the start and quits, also when the start could not be planned (logged). A
    // --backend among the arguments is left out: it lasted for one start, and the new
    // one uses the stored choice as a start from the menu would.
    static void starteNeu(const Einrichtung& einrichtung = diesesProgramm());
    // Asks in the interface language stored in `speicher` (the one just chosen), in a
    // modal box over `eltern`, saying why with the text of `textKey`; restarts on
    // "restart now". Main thread.
    static void frageUndStarteNeu(DefaultsStore& speicher, QWidget* eltern = nullptr,
                                  const QString& textKey = QStringLiteral("neustart.text"));
    static void frageUndStarteNeu(DefaultsStore& speicher, const Frage& frage,
                                  const Einrichtung& einrichtung,
                                  const QString& textKey = QStringLiteral("neustart.text"));
};

} // namespace parlix
