#include "app/platform/tesseract/TesseractErkennung.hpp"

#include "app/platform/tesseract/TesseractBibliothek.hpp"
#include "core/log/DateiLog.hpp"

#include <QImage>
#include <QStringList>
#include <memory>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

// One thread's engine with German and English loaded.
class Engine {
public:
    explicit Engine(const TesseractBibliothek& b)
        : b_(b)
        , api_(b.erzeuge()) {
        bereit_ = api_ && b_.starte(api_, nullptr, "deu+eng") == 0;
        if (!bereit_) {
            log().schreibe(u"FEHLER: Tesseract-Sprachen deu+eng nicht ladbar"_s);
        }
    }
    ~Engine() {
        if (api_) {
            b_.loesche(api_);
        }
    }
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // The recognised text as Tesseract lays it out; "" on failure.
    QString erkenne(const QImage& grau) {
        if (!bereit_) {
            return {};
        }
        b_.setzeBild(api_, grau.constBits(), grau.width(), grau.height(), 1,
                     static_cast<int>(grau.bytesPerLine()));
        b_.setzeAufloesung(api_, TesseractErkennung::kQuellAufloesung);
        ETEXT_DESC* monitor = b_.erzeugeMonitor();
        b_.setzeFrist(monitor, static_cast<int>(TesseractErkennung::kFrist.count()));
        QString ergebnis;
        if (b_.erkenne(api_, monitor) == 0) {
            char* text = b_.text(api_);
            ergebnis = QString::fromUtf8(text);
            b_.loescheText(text);
        }
        b_.loescheMonitor(monitor);
        b_.leere(api_);
        return ergebnis;
    }

private:
    const TesseractBibliothek& b_;
    TessBaseAPI* api_;
    bool bereit_ = false;
};

// One line per recognised line; the blank lines between blocks go.
QString zeilenweise(const QString& text) {
    QStringList zeilen;
    for (const QString& zeile : text.split(u'\n')) {
        if (const QString sauber = zeile.trimmed(); !sauber.isEmpty()) {
            zeilen << sauber;
        }
    }
    return zeilen.join(u'\n');
}

} // namespace

TesseractErkennung::TesseractErkennung() {
    TesseractBibliothek::bereiteVor();
}

QString TesseractErkennung::ocr(const QByteArray& png) {
    const TesseractBibliothek* bibliothek = TesseractBibliothek::geladen();
    const QImage bild = QImage::fromData(png, "PNG").convertToFormat(QImage::Format_Grayscale8);
    if (!bibliothek || bild.isNull()) {
        return {};
    }
    thread_local std::unique_ptr<Engine> engine;
    if (!engine) {
        engine = std::make_unique<Engine>(*bibliothek);
    }
    return zeilenweise(engine->erkenne(bild));
}

} // namespace parlix
