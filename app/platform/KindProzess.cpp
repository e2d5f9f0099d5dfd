#include "app/platform/KindProzess.hpp"

#include <QFile>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace parlix {

namespace {

using Uhr = std::chrono::steady_clock;

// Keeps the encoded strings alive and offers the char* array posix_spawn wants.
class CListe {
public:
    explicit CListe(const QStringList& eintraege) {
        for (const QString& eintrag : eintraege) {
            texte_.push_back(QFile::encodeName(eintrag));
        }
        for (QByteArray& text : texte_) {
            zeiger_.push_back(text.data());
        }
        zeiger_.push_back(nullptr);
    }
    char** daten() { return zeiger_.data(); }

private:
    std::vector<QByteArray> texte_;
    std::vector<char*> zeiger_;
};

int restMs(Uhr::time_point ende) {
    const auto rest = std::chrono::duration_cast<std::chrono::milliseconds>(ende - Uhr::now());
    return static_cast<int>(std::max<long long>(rest.count(), 0));
}

} // namespace

KindProzess::KindProzess(const QString& programm, const QStringList& argumente,
                         const Optionen& optionen) {
    int rohr[2];
    if (::pipe2(rohr, O_CLOEXEC) != 0) {
        return;
    }
    posix_spawn_file_actions_t aktionen;
    posix_spawn_file_actions_init(&aktionen);
    posix_spawn_file_actions_addopen(&aktionen, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&aktionen, rohr[1], 1);
    const QByteArray fehler = optionen.fehlerDatei.isEmpty()
                                  ? QByteArray("/dev/null")
                                  : QFile::encodeName(optionen.fehlerDatei);
    posix_spawn_file_actions_addopen(&aktionen, 2, fehler.constData(),
                                     O_WRONLY | O_CREAT | O_APPEND, 0600);

    CListe argv(QStringList{programm} + argumente);
    std::optional<CListe> umgebung;
    if (optionen.umgebung) {
        umgebung.emplace(*optionen.umgebung);
    }
    pid_t pid = -1;
    const QByteArray name = QFile::encodeName(programm);
    const int fehlerCode = ::posix_spawnp(&pid, name.constData(), &aktionen, nullptr, argv.daten(),
                                          umgebung ? umgebung->daten() : environ);
    posix_spawn_file_actions_destroy(&aktionen);
    ::close(rohr[1]);
    if (fehlerCode != 0) {
        ::close(rohr[0]);
        return;
    }
    pid_ = pid;
    ausgabe_ = rohr[0];
}

KindProzess::~KindProzess() {
    if (gestartet() && !ende_) {
        sende(SIGKILL);
        int status = 0;
        ::waitpid(static_cast<pid_t>(pid_), &status, 0);
    }
    if (ausgabe_ >= 0) {
        ::close(ausgabe_);
    }
}

qsizetype KindProzess::sammle(std::chrono::milliseconds frist) {
    if (ausgabe_ < 0) {
        return -1;
    }
    pollfd bereit{ausgabe_, POLLIN, 0};
    if (::poll(&bereit, 1, static_cast<int>(frist.count())) <= 0) {
        return 0;
    }
    char block[4096];
    const ssize_t n = ::read(ausgabe_, block, sizeof block);
    if (n <= 0) {
        ::close(ausgabe_);
        ausgabe_ = -1;
        return -1;
    }
    puffer_.append(block, n);
    return n;
}

QByteArray KindProzess::lies(std::chrono::milliseconds frist) {
    if (puffer_.isEmpty()) {
        sammle(frist);
    }
    return std::exchange(puffer_, QByteArray());
}

std::optional<int> KindProzess::warteAufEnde(std::chrono::milliseconds frist) {
    const auto ende = Uhr::now() + frist;
    while (gestartet() && !ende_) {
        int status = 0;
        const pid_t fertig = ::waitpid(static_cast<pid_t>(pid_), &status, WNOHANG);
        if (fertig == pid_) {
            ende_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            while (sammle(std::chrono::milliseconds(0)) > 0) {
            }
            break;
        }
        if (Uhr::now() >= ende) {
            break;
        }
        // Draining the pipe meanwhile keeps a talkative child from blocking on it.
        sammle(std::chrono::milliseconds(std::min(restMs(ende), 10)));
    }
    return ende_;
}

void KindProzess::sende(int signal) const {
    if (gestartet() && !ende_) {
        ::kill(static_cast<pid_t>(pid_), signal);
    }
}

std::optional<QByteArray> KindProzess::ausgabe(const QString& programm,
                                               const QStringList& argumente,
                                               std::chrono::milliseconds frist) {
    KindProzess kind(programm, argumente);
    if (kind.warteAufEnde(frist) != 0) {
        return std::nullopt;
    }
    return kind.lies(std::chrono::milliseconds(0));
}

} // namespace parlix
