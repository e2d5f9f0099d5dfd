#pragma once

#include <QString>

// Shell commands that run after this process has ended: the swap of an update and the
// start of a restarted program must not begin while we still hold the installation and
// the single-instance lock.
namespace parlix::Nachlauf {

// Starts /bin/sh in a session of its own (so it outlives us and no terminal signal of
// ours reaches it), waits there until process `pid` has ended and then runs `befehle`
// with standard input and output on /dev/null. False when the shell could not be started.
bool starte(qint64 pid, const QString& befehle);

// Asks this program's event loop to quit, queued; any thread.
void beendeProgramm();

} // namespace parlix::Nachlauf
