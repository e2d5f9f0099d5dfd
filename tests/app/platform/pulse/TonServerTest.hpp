#pragma once

#include "tests/support/KopfloserTonServer.hpp"

#include <QRegularExpression>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace parlix::test {

// A fresh private sound server for every test.
class TonServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        server_ = std::make_unique<KopfloserTonServer>();
        ASSERT_TRUE(server_->laeuft()) << server_->fehler().toStdString();
    }

    KopfloserTonServer& server() { return *server_; }

    // Per-channel volume of a sink as the server reports it (raw values, 65536 = 100 %).
    std::vector<quint32> lautstaerke(const QString& senke) {
        const auto text = server_->pactl({QStringLiteral("get-sink-volume"), senke});
        std::vector<quint32> kanaele;
        static const QRegularExpression wert(QStringLiteral(":\\s*(\\d+) /"));
        for (auto treffer = wert.globalMatch(text.value_or(QString())); treffer.hasNext();) {
            kanaele.push_back(treffer.next().captured(1).toUInt());
        }
        return kanaele;
    }

    void setzeLautstaerke(const QString& senke, const std::vector<quint32>& kanaele) {
        QStringList argumente{QStringLiteral("set-sink-volume"), senke};
        for (quint32 kanal : kanaele) {
            argumente << QString::number(kanal);
        }
        ASSERT_TRUE(server_->pactl(argumente));
    }

    bool stumm(const QString& senke) {
        return server_->pactl({QStringLiteral("get-sink-mute"), senke})
            .value_or(QString())
            .contains(QStringLiteral("yes"));
    }

    static QString senke() { return QString::fromLatin1(KopfloserTonServer::kSenke); }
    static QString quelle() { return QString::fromLatin1(KopfloserTonServer::kQuelle); }

private:
    std::unique_ptr<KopfloserTonServer> server_;
};

} // namespace parlix::test
