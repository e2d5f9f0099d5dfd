#include "app/platform/tesseract/TesseractErkennung.hpp"

#include <QBuffer>
#include <QImage>
#include <gtest/gtest.h>
#include <thread>

namespace parlix::test {
namespace {

QByteArray weissesBild() {
    QImage bild(400, 200, QImage::Format_RGB32);
    bild.fill(Qt::white);
    QByteArray png;
    QBuffer puffer(&png);
    puffer.open(QIODevice::WriteOnly);
    bild.save(&puffer, "PNG");
    return png;
}

TEST(TesseractErkennung, LeeresBildUndKaputteDatenGebenNichtsAufJedemFaden) {
    TesseractErkennung erkennung;
    EXPECT_EQ(erkennung.ocr(QByteArrayLiteral("kein PNG")), QString());
    // Two threads at once, each with an engine of its own.
    QString ersterFaden;
    std::thread faden([&] { ersterFaden = erkennung.ocr(weissesBild()); });
    EXPECT_EQ(erkennung.ocr(weissesBild()), QString());
    faden.join();
    EXPECT_EQ(ersterFaden, QString());
    EXPECT_EQ(qgetenv("OMP_THREAD_LIMIT"), "1");
}

} // namespace
} // namespace parlix::test
