// Load on the reference server from a second process (wrk) over loopback: requests per
// second for the version document, sign-in (Argon2id at the server's cost) and a
// relayed chat call (to an upstream stub on loopback); the memory that 1000 idle
// connections take; sign-in and token lookup with 100 000 accounts in the database.
// The server runs on its own thread in this process; the machine's two cores are
// shared by server, load generator and upstream stub, unless PARLIX_BENCH_KERNE="a,b" gives
// the relay's threads core a and wrk and the upstream stub core b (a provider is elsewhere
// in use, and so is the client).
#include "core/services/CurlTransfer.hpp"
#include "core/services/HttpTransport.hpp"
#include "server/Dienste.hpp"
#include "server/Sitzung.hpp"
#include "tests/support/TestServer.hpp"
#include "tests/support/server/ServerFaden.hpp"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <netinet/in.h>
#include <optional>
#include <sched.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace parlix;
using namespace Qt::StringLiterals;

namespace {

constexpr int sekunden = 5;

// The server's own rules, without the rate limits that would stop a load test.
Dienste::Einrichtung einrichtung(const QString& datenbank, const QUrl& upstream = {}) {
    Dienste::Einrichtung e;
    e.datenbank = Datenbank::ausAngabe(datenbank);
    e.codeVersand = [](const QString&, const QString&) {};
    e.version = u"1.0.0"_s;
    e.konten.loginAdresse = {1 << 30, KontenRegeln::minute};
    e.konten.loginKunde = {1 << 30, KontenRegeln::minute};
    e.konten.loginKundeAdresse = {1 << 30, KontenRegeln::minute};
    e.freiProGeraet = {1 << 30, KontenRegeln::minute};
    e.freiProKunde = {1 << 30, KontenRegeln::minute};
    if (upstream.isValid()) {
        e.upstreams = {{u"groq"_s, {upstream, "schluessel"}}};
    }
    return e;
}

QByteArray json(const QJsonObject& objekt) {
    return QJsonDocument(objekt).toJson(QJsonDocument::Compact);
}

// The cores from PARLIX_BENCH_KERNE: the server's, the load's; none when unset.
std::optional<std::pair<int, int>> kerne() {
    const QList<QByteArray> teile = qgetenv("PARLIX_BENCH_KERNE").split(',');
    if (teile.size() != 2) {
        return std::nullopt;
    }
    return std::pair(teile[0].toInt(), teile[1].toInt());
}

// Pins the calling thread, and the threads it starts from now on, to `kern`; -1 frees it.
void pinne(int kern) {
    cpu_set_t menge;
    CPU_ZERO(&menge);
    for (int k = 0; k < CPU_SETSIZE; ++k) {
        if (kern < 0 || k == kern) {
            CPU_SET(k, &menge);
        }
    }
    sched_setaffinity(0, sizeof menge, &menge);
}

// wrk against `url`; POSTs `koerper` with `kopfzeilen` when given. Requests per second.
double wrk(const QUrl& url, int verbindungen, const QByteArray& koerper = {},
           const QList<QByteArray>& kopfzeilen = {}) {
    QTemporaryDir ordner;
    QStringList argumente{u"-t1"_s, u"-c%1"_s.arg(verbindungen), u"-d%1s"_s.arg(sekunden)};
    if (!koerper.isEmpty()) {
        QFile skript(ordner.filePath(u"post.lua"_s));
        skript.open(QIODevice::WriteOnly);
        QByteArray lua = "wrk.method = \"POST\"\nwrk.body = [[" + koerper + "]]\n";
        for (const QByteArray& kopf : kopfzeilen) {
            const qsizetype doppelpunkt = kopf.indexOf(':');
            lua += "wrk.headers[\"" + kopf.left(doppelpunkt) + "\"] = \"" +
                   kopf.mid(doppelpunkt + 2) + "\"\n";
        }
        skript.write(lua);
        skript.close();
        argumente << u"-s"_s << skript.fileName();
    }
    argumente << url.toString();
    const QByteArray kern =
        kerne() ? "taskset -c " + QByteArray::number(kerne()->second) + " " : QByteArray();
    const QByteArray befehl = kern + "wrk " + argumente.join(u' ').toUtf8() + " 2>&1";
    FILE* rohr = popen(befehl.constData(), "r");
    QByteArray ausgabe;
    char puffer[4096];
    while (rohr != nullptr && fgets(puffer, sizeof puffer, rohr) != nullptr) {
        ausgabe += puffer;
    }
    if (rohr != nullptr) {
        pclose(rohr);
    }
    const auto treffer =
        QRegularExpression(u"Requests/sec:\\s+([0-9.]+)"_s).match(QString::fromUtf8(ausgabe));
    const bool fehler = ausgabe.contains("Non-2xx");
    return treffer.hasMatch() && !fehler ? treffer.captured(1).toDouble() : -1;
}

QUrl url(const ServerFaden& server, const QString& pfad) {
    QUrl ergebnis = server.basis();
    ergebnis.setPath(pfad);
    return ergebnis;
}

void versionProSekunde(benchmark::State& state) {
    QTemporaryDir ordner;
    Dienste dienste(einrichtung(ordner.filePath(u"k.sqlite"_s)));
    ServerFaden server(dienste);
    for (auto _ : state) {
        state.counters["anfragen_pro_s"] = wrk(url(server, u"/version"_s), 16);
    }
}
BENCHMARK(versionProSekunde)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

void anmeldungenProSekunde(benchmark::State& state) {
    QTemporaryDir ordner;
    Dienste dienste(einrichtung(ordner.filePath(u"k.sqlite"_s)));
    ServerFaden server(dienste);
    const QByteArray konto =
        json({{u"email"_s, u"last@example.org"_s}, {u"passwort"_s, u"passwort1"_s}});
    HttpAnfrage registrieren;
    registrieren.methode = "POST";
    registrieren.url = url(server, u"/auth/register"_s);
    registrieren.koerper = konto;
    HttpTransport::geteilt().fuehreAus(registrieren);
    for (auto _ : state) {
        state.counters["anfragen_pro_s"] = wrk(url(server, u"/auth/login"_s), 4, konto);
    }
}
BENCHMARK(anmeldungenProSekunde)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

// The median of `n` calls in milliseconds, one after the other.
double medianMs(const HttpAnfrage& anfrage, int n) {
    std::vector<double> zeiten;
    for (int i = 0; i < n; ++i) {
        QElapsedTimer uhr;
        uhr.start();
        HttpTransport::geteilt().fuehreAus(anfrage);
        zeiten.push_back(double(uhr.nsecsElapsed()) / 1e6);
    }
    std::sort(zeiten.begin(), zeiten.end());
    return zeiten[zeiten.size() / 2];
}

// The relay against calling the provider directly: requests per second of both, and
// what the relay adds to one call at the median.
void weitergeleiteteChatsProSekunde(benchmark::State& state) {
    pinne(kerne() ? kerne()->second : -1);
    test::TestServer upstream;
    upstream.drehbuch().stelleEin(
        u"/openai/v1/chat/completions"_s,
        Antwort::text(200, R"({"choices":[{"message":{"content":"Hallo Welt."}}]})",
                      "application/json"));
    QTemporaryDir ordner;
    pinne(kerne() ? kerne()->first : -1);
    Dienste dienste(einrichtung(ordner.filePath(u"k.sqlite"_s), upstream.url(u"/openai/v1"_s)));
    ServerFaden server(dienste);
    pinne(-1);
    const QByteArray anfrage = json({{u"model"_s, u"openai/gpt-oss-120b"_s},
                                     {u"messages"_s, QJsonArray{}},
                                     {u"temperature"_s, 0.2}});
    const QList<QByteArray> kopfzeilen{"X-Device-Id: " + QByteArray(64, 'a'), "X-Backend: groq",
                                       "Content-Type: application/json"};
    const QUrl relais = url(server, u"/openai/v1/chat/completions"_s);
    const QUrl direkt = upstream.url(u"/openai/v1/chat/completions"_s);
    for (auto _ : state) {
        const double ueberRelais = wrk(relais, 16, anfrage, kopfzeilen);
        // The relay's connections to the provider: few when they are kept for the next call.
        state.counters["upstream_verbindungen"] = upstream.verbindungen();
        const double ohneRelais = wrk(direkt, 16, anfrage, kopfzeilen);
        state.counters["anfragen_pro_s"] = ueberRelais;
        state.counters["direkt_pro_s"] = ohneRelais;
        state.counters["anteil_direkt"] = ueberRelais / ohneRelais;

        HttpAnfrage einzeln;
        einzeln.methode = "POST";
        einzeln.koerper = anfrage;
        for (const QByteArray& kopf : kopfzeilen) {
            einzeln.setzeKopf(kopf.left(kopf.indexOf(':')), kopf.mid(kopf.indexOf(':') + 2));
        }
        einzeln.url = direkt;
        const double p50Direkt = medianMs(einzeln, 300);
        einzeln.url = relais;
        state.counters["p50_zusatz_ms"] = medianMs(einzeln, 300) - p50Direkt;
    }
}
BENCHMARK(weitergeleiteteChatsProSekunde)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

// 64 calls at once to a provider that answers each after 2 s: when the last is answered.
void vierundsechzigLangsameRufe(benchmark::State& state) {
    test::TestServer upstream;
    upstream.drehbuch().stelleEin(
        u"/openai/v1/chat/completions"_s,
        Antwort::text(200, "{}", "application/json").nach(std::chrono::seconds(2)));
    QTemporaryDir ordner;
    Dienste dienste(einrichtung(ordner.filePath(u"k.sqlite"_s), upstream.url(u"/openai/v1"_s)));
    ServerFaden server(dienste);
    HttpAnfrage ruf;
    ruf.methode = "POST";
    ruf.url = url(server, u"/openai/v1/chat/completions"_s);
    ruf.kopfzeilen = {{"X-Device-Id", "last"}, {"X-Backend", "groq"}};
    ruf.koerper = "{}";
    for (auto _ : state) {
        QElapsedTimer uhr;
        uhr.start();
        std::vector<std::shared_ptr<CurlTransfer>> rufe;
        for (int i = 0; i < 64; ++i) {
            rufe.push_back(HttpTransport::geteilt().starte(ruf, {}));
        }
        int beantwortet = 0;
        for (const auto& laufend : rufe) {
            laufend->warte();
            beantwortet += laufend->ergebnis().status == 200 ? 1 : 0;
        }
        state.counters["letzte_antwort_s"] = double(uhr.elapsed()) / 1000.0;
        state.counters["beantwortet"] = beantwortet;
    }
}
BENCHMARK(vierundsechzigLangsameRufe)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

qint64 speicherKiB() {
    QFile status(u"/proc/self/status"_s);
    status.open(QIODevice::ReadOnly);
    for (const QByteArray& zeile : status.readAll().split('\n')) {
        if (zeile.startsWith("VmRSS:")) {
            return zeile.mid(6).trimmed().split(' ').first().toLongLong();
        }
    }
    return 0;
}

void speicherFuer1000RuhendeVerbindungen(benchmark::State& state) {
    QTemporaryDir ordner;
    Dienste dienste(einrichtung(ordner.filePath(u"k.sqlite"_s)));
    ServerGrenzen grenzen;
    grenzen.maxVerbindungenProKunde = 2000; // all come from 127.0.0.1
    ServerFaden server(dienste, grenzen);
    for (auto _ : state) {
        const qint64 vorher = speicherKiB();
        std::vector<int> sockets;
        sockaddr_in ziel{};
        ziel.sin_family = AF_INET;
        ziel.sin_port = htons(server.port());
        ziel.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        for (int i = 0; i < 1000; ++i) {
            const int s = socket(AF_INET, SOCK_STREAM, 0);
            connect(s, reinterpret_cast<sockaddr*>(&ziel), sizeof ziel);
            sockets.push_back(s);
        }
        QElapsedTimer uhr;
        uhr.start();
        while (server.verbindungen() < 1000 && uhr.elapsed() < 10000) {
            usleep(10000);
        }
        usleep(200000);
        state.counters["verbindungen"] = server.verbindungen() - server.getrennt();
        state.counters["KiB_pro_verbindung"] = double(speicherKiB() - vorher) / 1000.0;
        for (const int s : sockets) {
            close(s);
        }
    }
}
BENCHMARK(speicherFuer1000RuhendeVerbindungen)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// 100 000 accounts and as many tokens, written directly (one hash for all: 100 000
// Argon2id hashes would take hours).
void fuelle(const QString& datenbank, const QByteArray& passwortHash) {
    Datenbank db(Datenbank::ausAngabe(datenbank));
    Sitzung s(db);
    s.inTransaktion([&] {
        for (int i = 0; i < 100000; ++i) {
            const QString email = u"konto%1@example.org"_s.arg(i);
            s.fuehreAus(u"INSERT INTO konten (email, passwort, erstellt) VALUES (?, ?, 0)"_s,
                        {email, QString::fromLatin1(passwortHash)});
            s.fuehreAus(
                u"INSERT INTO tokens (hash, email, erstellt, gueltig_bis) VALUES (?, ?, 0, ?)"_s,
                {QString::fromLatin1(
                     QCryptographicHash::hash(email.toUtf8(), QCryptographicHash::Sha256).toHex()),
                 email, std::numeric_limits<qint64>::max()});
        }
    });
}

void mit100000Konten(benchmark::State& state) {
    QTemporaryDir ordner;
    const QString datei = ordner.filePath(u"k.sqlite"_s);
    fuelle(datei, Passwort::hash("passwort1", Passwort::standard()));
    Dienste dienste(einrichtung(datei));
    ServerFaden server(dienste);
    for (auto _ : state) {
        HttpAnfrage login;
        login.methode = "POST";
        login.url = url(server, u"/auth/login"_s);
        QElapsedTimer uhr;
        uhr.start();
        constexpr int anmeldungen = 20;
        for (int i = 0; i < anmeldungen; ++i) {
            login.koerper = json({{u"email"_s, u"konto%1@example.org"_s.arg(i * 4999)},
                                  {u"passwort"_s, u"passwort1"_s}});
            HttpTransport::geteilt().fuehreAus(login);
        }
        state.counters["anmeldung_ms"] = double(uhr.elapsed()) / anmeldungen;

        HttpAnfrage profil;
        profil.url = url(server, u"/auth/me"_s);
        constexpr int abfragen = 2000;
        uhr.restart();
        for (int i = 0; i < abfragen; ++i) {
            const QString email = u"konto%1@example.org"_s.arg(i * 49);
            profil.setzeKopf("Authorization", "Bearer " + email.toUtf8());
            HttpTransport::geteilt().fuehreAus(profil);
        }
        state.counters["token_abfrage_ms"] = double(uhr.elapsed()) / abfragen;
    }
}
BENCHMARK(mit100000Konten)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

} // namespace
