#include "app/render/AlleAnsichten.hpp"
#include "app/render/AnsichtenRegister.hpp"
#include "app/render/RenderHarness.hpp"
#include "app/ui/Texte.hpp"
#include "app/ui/hud/HUDBild.hpp"
#include "app/ui/tray/StatusPanel.hpp"
#include "core/settings/SpeicherDefaultsStore.hpp"
#include "core/text/HUDStil.hpp"
#include "core/text/Lokalisierung.hpp"

#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <tesseract/baseapi.h>

using namespace Qt::StringLiterals;

namespace parlix::test {

namespace {

QString text(const QString& key, const QString& sprache) {
    return Lokalisierung::text(key, sprache);
}

bool hell(QRgb p) {
    return qAlpha(p) > 200 && qGray(p) > 110;
}
bool blau(QRgb p) {
    return qAlpha(p) > 120 && qBlue(p) > 150 && qBlue(p) > qRed(p) + 40;
}
bool rot(QRgb p) {
    return qAlpha(p) > 120 && qRed(p) > 170 && qRed(p) > qGreen(p) + 60;
}

// How many pixels in the rectangle pass the test.
int zaehle(const QImage& bild, const QRect& bereich, bool (*test)(QRgb)) {
    int anzahl = 0;
    for (int y = bereich.top(); y <= bereich.bottom(); ++y) {
        for (int x = bereich.left(); x <= bereich.right(); ++x) {
            anzahl += test(bild.pixel(x, y)) ? 1 : 0;
        }
    }
    return anzahl;
}

// The words in an image of light text on dark glass, read by text recognition.
QString lies(const QImage& bild) {
    QImage grau(bild.size(), QImage::Format_Grayscale8);
    for (int y = 0; y < bild.height(); ++y) {
        uchar* zeile = grau.scanLine(y);
        for (int x = 0; x < bild.width(); ++x) {
            const QRgb p = bild.pixel(x, y);
            // Light text on dark glass becomes dark text on white.
            zeile[x] = static_cast<uchar>(255 - qGray(p) * qAlpha(p) / 255);
        }
    }
    tesseract::TessBaseAPI ocr;
    if (ocr.Init(nullptr, "eng+deu") != 0) {
        return {};
    }
    ocr.SetImage(grau.constBits(), grau.width(), grau.height(), 1,
                 static_cast<int>(grau.bytesPerLine()));
    ocr.SetSourceResolution(144);
    char* roh = ocr.GetUTF8Text();
    const QString gelesen = QString::fromUtf8(roh);
    delete[] roh;
    ocr.End();
    return gelesen.normalized(QString::NormalizationForm_C).simplified();
}

class AnsichtenTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        AlleAnsichten::registriere(ansichten);
        RenderHarness::Auftrag auftrag;
        auftrag.ziel = ordner.path();
        auftrag.sprachen = {u"de"_s, u"en"_s};
        auftrag.skala = 2.0;
        ergebnis = RenderHarness(ansichten).laufe(auftrag);
        RenderHarness::Auftrag rest = auftrag;
        rest.sprachen = {u"es"_s, u"fr"_s, u"ja"_s, u"zh"_s};
        rest.muster = {u"verlauf"_s, u"statusPanel"_s};
        const auto weitere = RenderHarness(ansichten).laufe(rest);
        ergebnis.dateien += weitere.dateien;
        ergebnis.fehler += weitere.fehler;
        Texte::vergissSprache();
    }

    static QImage bild(const QString& sprache, const QString& name) {
        QImage gelesen(ordner.filePath(sprache + u'/' + name + u".png"_s));
        return gelesen.convertToFormat(QImage::Format_ARGB32);
    }
    // A rectangle in points scaled to the image's pixels.
    static QRect pixel(const QRectF& punkte) {
        return QRectF(punkte.topLeft() * 2.0, punkte.size() * 2.0).toRect();
    }

    static inline AnsichtenRegister ansichten;
    static inline QTemporaryDir ordner;
    static inline RenderHarness::Ergebnis ergebnis;
};

TEST_F(AnsichtenTest, EveryViewIsDrawnInEveryRequestedLanguage) {
    EXPECT_TRUE(ergebnis.fehler.isEmpty()) << ergebnis.fehler.join(u'\n').toStdString();
    // Every registered view in German and English, two of them in four more languages.
    EXPECT_EQ(ergebnis.dateien.size(), 2 * ansichten.namen().size() + 4 * 2);
    for (const QString& datei : ergebnis.dateien) {
        EXPECT_FALSE(QImage(datei).isNull()) << datei.toStdString();
    }
}

TEST_F(AnsichtenTest, EveryHUDStyleDrawsALitFigureInTheCapsuleAndEachStateShowsItself) {
    const QRect figur = pixel(HUDBild::figurFlaeche());
    const QRect kapsel = pixel(HUDBild::kapsel());
    const QRect badge =
        pixel(QRectF(HUDBild::kapsel().topLeft(),
                     QSizeF(HUDBild::kapsel().height(), HUDBild::kapsel().height())));
    for (const HUDStil& stil : HUDStil::alle()) {
        const QString basis = u"hud."_s + stil.rohwert.toString();
        SCOPED_TRACE(basis.toStdString());
        const QImage aufnahme = bild(u"en"_s, basis + u".aufnehmend"_s);
        ASSERT_EQ(aufnahme.size(), QSize(720, 360));
        EXPECT_GT(qAlpha(aufnahme.pixel(kapsel.center())), 230);
        EXPECT_EQ(qAlpha(aufnahme.pixel(2, 2)), 0);
        EXPECT_GT(zaehle(aufnahme, figur, blau), 150);
        // The lock replaces the microphone in the badge.
        EXPECT_NE(bild(u"en"_s, basis + u".gesperrt"_s).copy(badge), aufnahme.copy(badge));
        // Processing calms every figure into the same thin line.
        EXPECT_LT(zaehle(bild(u"en"_s, basis + u".transkribierend"_s), figur, blau),
                  zaehle(aufnahme, figur, blau));
        const QImage fehler = bild(u"en"_s, basis + u".fehler"_s);
        EXPECT_GT(zaehle(fehler, badge, rot), 200);
        EXPECT_EQ(zaehle(fehler, figur, blau), 0);
    }
}

TEST_F(AnsichtenTest, TheHUDShowsItsStateAndErrorsInTheInterfaceLanguage) {
    // The state's chip above the capsule, and the capsule that holds an error.
    const QRect chip = pixel(QRectF(80, HUDBild::kapsel().top() - 36, 200, 32));
    const QRect kapsel = pixel(HUDBild::kapsel());
    for (const QString& sprache : {u"de"_s, u"en"_s}) {
        const QString zustand = lies(bild(sprache, u"hud.energie.aufnehmend"_s).copy(chip));
        EXPECT_TRUE(zustand.contains(text(u"status.hoere"_s, sprache).remove(u'…').trimmed()))
            << zustand.toStdString();
        const QString fehler = lies(bild(sprache, u"hud.energie.fehler"_s).copy(kapsel));
        EXPECT_TRUE(fehler.contains(text(u"fehler.keinAnbieter"_s, sprache).section(u' ', 0, 1)))
            << fehler.toStdString();
    }
}

TEST_F(AnsichtenTest, TheProviderPaneAndItsSetupStepAreDrawnInTheInterfaceLanguage) {
    for (const QString& sprache : {u"de"_s, u"en"_s}) {
        SCOPED_TRACE(sprache.toStdString());
        for (const QString& name :
             {u"einstellungen.anbieter.gewaehlt"_s, u"einstellungen.anbieter.gewaehlt.dunkel"_s}) {
            const QString gelesen = lies(bild(sprache, name));
            for (const QString& key : {u"anbieter.transkription"_s, u"anbieter.schluessel"_s,
                                       u"anbieter.visionModell"_s, u"anbieter.ort.datei"_s}) {
                EXPECT_TRUE(gelesen.contains(text(key, sprache).section(u' ', 0, 1)))
                    << name.toStdString() << ": " << key.toStdString() << " in "
                    << gelesen.toStdString();
            }
            EXPECT_TRUE(gelesen.contains(u"Groq"_s)) << gelesen.toStdString();
            EXPECT_TRUE(gelesen.contains(u"127.0.0.1:8080"_s)) << gelesen.toStdString();
            // The key is hidden.
            EXPECT_FALSE(gelesen.contains(u"gsk_"_s)) << gelesen.toStdString();
        }
        const QString schritt = lies(bild(sprache, u"einrichtung.anbieter"_s));
        for (const QString& key :
             {u"anbieter.transkription"_s, u"anbieter.sprache"_s, u"anbieter.test.titel"_s}) {
            EXPECT_TRUE(schritt.contains(text(key, sprache)))
                << key.toStdString() << " in " << schritt.toStdString();
        }
    }
}

TEST_F(AnsichtenTest, TheHistoryPanelShowsTheLocalisedTitleAndItsCardsOrTheEmptyState) {
    const QRect karten(60, 260, 1000, 900);
    for (const QString& sprache : {u"de"_s, u"en"_s, u"es"_s, u"fr"_s}) {
        SCOPED_TRACE(sprache.toStdString());
        const QImage voll = bild(sprache, u"verlauf"_s);
        ASSERT_EQ(voll.size(), QSize(1120, 1320));
        const QString gelesen = lies(voll.copy(0, 0, voll.width(), 240));
        EXPECT_TRUE(gelesen.contains(text(u"verlauf.titel"_s, sprache))) << gelesen.toStdString();
        EXPECT_GT(zaehle(voll, karten, hell), 2000);
    }
    for (const QString& sprache : {u"de"_s, u"en"_s}) {
        const QString leer = lies(bild(sprache, u"verlaufLeer"_s));
        EXPECT_TRUE(leer.contains(text(u"verlauf.leer.titel"_s, sprache))) << leer.toStdString();
        EXPECT_FALSE(leer.contains(u"Jana"_s));
    }
    for (const QString& sprache : {u"ja"_s, u"zh"_s}) {
        // Text recognition here reads Latin script only: the title is there and differs.
        const QRect titel(140, 140, 400, 80);
        EXPECT_GT(zaehle(bild(sprache, u"verlauf"_s), titel, hell), 200);
        EXPECT_NE(bild(sprache, u"verlauf"_s).copy(titel), bild(u"en"_s, u"verlauf"_s).copy(titel));
    }
}

TEST_F(AnsichtenTest, TheStatusPanelShowsStateModesAndTheTwoNewestResults) {
    for (const QString& sprache : {u"de"_s, u"en"_s}) {
        const QImage panel = bild(sprache, u"statusPanel"_s);
        EXPECT_EQ(panel.width(), StatusPanel::breite * 2);
        const QString gelesen = lies(panel);
        // The dictation key by its PC label in the language: "Strg links", "Left Ctrl".
        for (const QString& key : {u"status.bereit"_s, u"tasten.diktat"_s, u"tasten.aktion"_s,
                                   u"tasten.prompt"_s, u"taste.strgLinks"_s}) {
            EXPECT_TRUE(gelesen.contains(text(key, sprache))) << gelesen.toStdString();
        }
        // The newest result, shortened to 30 characters.
        EXPECT_TRUE(gelesen.contains(text(u"beispiel.diktat"_s, sprache).left(12)))
            << gelesen.toStdString();
    }
}

TEST_F(AnsichtenTest, TheLiveBoxAndTheTrayIconDrawTheirContent) {
    const QImage box = bild(u"en"_s, u"liveBox"_s);
    ASSERT_EQ(box.size(), QSize(1360, 400));
    EXPECT_TRUE(lies(box).contains(u"Friday"_s));
    const QImage tray = bild(u"en"_s, u"tray"_s);
    const int haelfte = tray.height() / 2;
    EXPECT_GT(zaehle(tray, QRect(0, 0, tray.width(), haelfte), blau), 500);
    EXPECT_GT(zaehle(tray, QRect(0, haelfte, tray.width(), haelfte), blau), 500);
}

TEST(RenderHarnessUmgebung, TheEnvironmentSelectsViewsLanguagesAndRejectsUnknownVariables) {
    QProcessEnvironment umgebung;
    EXPECT_FALSE(RenderHarness::ausUmgebung(umgebung, u"de"_s).has_value());
    umgebung.insert(u"PARLIX_RENDER_ANSICHTEN"_s, u"hud.*, verlauf"_s);
    umgebung.insert(u"PARLIX_RENDER_SPRACHEN"_s, u"alle"_s);
    QString fehler;
    const auto auftrag = RenderHarness::ausUmgebung(umgebung, u"de"_s, &fehler);
    ASSERT_TRUE(auftrag.has_value());
    EXPECT_TRUE(fehler.isEmpty());
    EXPECT_EQ(auftrag->muster, (QStringList{u"hud.*"_s, u"verlauf"_s}));
    EXPECT_EQ(auftrag->sprachen.size(), 6);
    AnsichtenRegister ansichten;
    AlleAnsichten::registriere(ansichten);
    EXPECT_EQ(ansichten.waehle(auftrag->muster).size(), HUDStil::alle().size() * 6 + 1);

    umgebung.insert(u"PARLIX_RENDER_ZIELE"_s, u"/tmp"_s);
    RenderHarness::ausUmgebung(umgebung, u"de"_s, &fehler);
    EXPECT_TRUE(fehler.contains(u"PARLIX_RENDER_ZIELE"_s));
}

} // namespace

} // namespace parlix::test
