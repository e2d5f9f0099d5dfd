#pragma once

struct _XDisplay;

namespace parlix {

class XVerbindung;

// Catches the X errors of the requests that one thread makes on its connection while
// the trap lives. Xlib reports an error asynchronously, through one handler for the
// whole process; that handler hands each error to the trap of its connection, drops
// other errors on our connections (with a log line) and leaves errors on connections
// of others (Qt's) to the handler that was there before.
class XFehlerFalle {
public:
    explicit XFehlerFalle(const XVerbindung& verbindung);
    ~XFehlerFalle();
    XFehlerFalle(const XFehlerFalle&) = delete;
    XFehlerFalle& operator=(const XFehlerFalle&) = delete;

    // Waits until the server has processed every request made so far; the code of the
    // first of them that failed since the trap was set (BadAccess, BadWindow ...), 0 when
    // none did. Starts collecting afresh.
    int fehler();

    // For XVerbindung: errors on this display are ours from now on, until gibFrei().
    static void uebernimm(_XDisplay* anzeige);
    static void gibFrei(_XDisplay* anzeige);

private:
    // The process's error handler, in the source file.
    friend struct XFehlerHandler;

    _XDisplay* anzeige_;
    int erster_ = 0;
    XFehlerFalle* aeussere_ = nullptr;
};

} // namespace parlix
