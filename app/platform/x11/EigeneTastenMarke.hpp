#pragma once

#include <functional>
#include <memory>

namespace parlix {

class XVerbindung;

// Marks the keystrokes that this process injects itself (paste, copy) so that the global
// key listeners do not take them for the user's: they come back from the server as raw
// key events like any other. Raise the mark, inject, and let it go out of scope:
//
//     EigeneTastenMarke marke(verbindung);
//     XTestFakeKeyEvent(...); ...
//
// Its end first waits until the server has processed the injection, then until every
// listener has taken in the events generated up to then (a short round trip, bounded),
// so that none of them arrives after the mark is down. The injecting device (XTEST) is
// not filtered as such: tests press keys through it as a user would.
class EigeneTastenMarke {
public:
    // `verbindung`: the connection the keystrokes are injected through.
    explicit EigeneTastenMarke(const XVerbindung& verbindung);
    ~EigeneTastenMarke();
    EigeneTastenMarke(const EigeneTastenMarke&) = delete;
    EigeneTastenMarke& operator=(const EigeneTastenMarke&) = delete;

    // Listeners: whether a key event read now is one of ours. Any thread.
    static bool gesetzt();

    // Listeners register how to catch up: `aufholen` returns once the listener has
    // handled every key event that the server generated before the call. Registered for
    // as long as the returned token lives. Any thread.
    using Aufholen = std::function<void()>;
    [[nodiscard]] static std::shared_ptr<const Aufholen> meldeHoerer(Aufholen aufholen);

private:
    const XVerbindung& verbindung_;
};

} // namespace parlix
