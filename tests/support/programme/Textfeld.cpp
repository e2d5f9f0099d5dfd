// A Qt text field for desktop tests: a window titled after the first argument with a
// line edit holding the second argument, the range given by the third and fourth
// (start, length) selected; with "--vollbild" anywhere, full screen. Every change of the text is
// printed as one line on standard output, so that a test sees what the user would see; with
// "--escape", so is "[Escape]" for every press of Escape, which changes no text.
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <cstdio>

namespace {

void druckeZeile(const QString& text) {
    std::printf("%s\n", text.toUtf8().constData());
    std::fflush(stdout);
}

class EscapeZeile final : public QObject {
protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override {
        if (ereignis->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(ereignis)->key() == Qt::Key_Escape) {
            druckeZeile(QStringLiteral("[Escape]"));
        }
        return QObject::eventFilter(objekt, ereignis);
    }
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QStringList argumente = app.arguments();
    const bool vollbild = argumente.removeAll(QStringLiteral("--vollbild")) > 0;
    const bool escapeZeigen = argumente.removeAll(QStringLiteral("--escape")) > 0;
    QLineEdit feld;
    feld.setWindowTitle(argumente.value(1, QStringLiteral("Textfeld")));
    feld.resize(600, 60);
    feld.setText(argumente.value(2));
    if (argumente.size() > 4 && argumente.at(4).toInt() > 0) {
        feld.setSelection(argumente.at(3).toInt(), argumente.at(4).toInt());
    }
    QObject::connect(&feld, &QLineEdit::textChanged, druckeZeile);
    EscapeZeile escape;
    if (escapeZeigen) {
        feld.installEventFilter(&escape);
    }
    if (vollbild) {
        feld.showFullScreen();
    } else {
        feld.show();
    }
    return app.exec();
}
