#include "core/text/SprachEditing.hpp"

#include <gtest/gtest.h>

using namespace parlix;
using namespace Qt::StringLiterals;

namespace {

TEST(SprachEditing, PhrasesMatchAsSubstringsAfterLowerCasing) {
    for (const QString& text :
         {u"Mach das kürzer"_s, u"make it shorter"_s, u"ÜBERSETZ das"_s, u"bitte verlängern"_s,
          u"that is incorrect"_s, u"Fix The Grammar please"_s}) {
        EXPECT_TRUE(SprachEditing::istEditBefehl(text)) << text.toStdString();
    }
    for (const QString& text :
         {QString(), u"Hallo Welt, wie geht es dir?"_s, u"ich mache es morgen"_s, u"lang"_s}) {
        EXPECT_FALSE(SprachEditing::istEditBefehl(text)) << text.toStdString();
    }
}

TEST(SprachEditing, TheSeparableVerbAufbereiten) {
    for (const QString& text :
         {u"Bereite den Bericht bitte auf"_s, u"auf bereit"_s, u"auf\n  bereit"_s,
          u"bereitet ihn auf."_s, u"überbereitet es auf"_s, u"bereite das Büfett auf"_s}) {
        EXPECT_TRUE(SprachEditing::istEditBefehl(text)) << text.toStdString();
    }
    for (const QString& text :
         {u"bereite den sehr langen bericht bitte auf"_s, // more than 20 characters between
          u"bereite das aufs"_s, u"bereitete das auf"_s, u"bereite das\nauf"_s}) {
        EXPECT_FALSE(SprachEditing::istEditBefehl(text)) << text.toStdString();
    }
}

TEST(SprachEditing, UmlautsAndSharpSAreWordCharactersAtTheBoundaries) {
    // Treated as non-letters, each of these would hold a word boundary next to them.
    for (const QString& text : {u"bereiteä das auf"_s, u"bereite das spaßauf"_s,
                                u"bereite das aufü"_s, u"bereiteß auf"_s}) {
        EXPECT_FALSE(SprachEditing::istEditBefehl(text)) << text.toStdString();
    }
    for (const QString& text : {u"bereite ä auf"_s, u"bereite grüß auf"_s, u"bereite ß auf"_s}) {
        EXPECT_TRUE(SprachEditing::istEditBefehl(text)) << text.toStdString();
    }
}

} // namespace
