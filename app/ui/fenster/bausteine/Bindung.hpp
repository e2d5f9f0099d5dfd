#pragma once

#include "app/ui/fenster/modelle/SettingsModel.hpp"

#include <QList>
#include <QString>
#include <functional>
#include <utility>

class QComboBox;

namespace parlix {

class Schalter;

// Controls bound to one setting of the settings model: they show its value, follow its
// changes and write every change of the user through the model.
namespace Bindung {

// (text shown, value stored)
using Eintraege = QList<std::pair<QString, QString>>;

Schalter* schalter(SettingsModel& model, SettingsModel::Schluessel schluessel, const QString& text);
// A menu over text values; the entries are asked for again at every load. A stored value
// that is not among them is shown as itself, so that opening the pane never changes it.
QComboBox* auswahl(SettingsModel& model, SettingsModel::Schluessel schluessel,
                   std::function<Eintraege()> eintraege);

} // namespace Bindung

} // namespace parlix
