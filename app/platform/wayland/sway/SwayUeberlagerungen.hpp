#pragma once

#include <QString>

namespace parlix {

class SwayIpc;

// sway tiles and focuses every new window, so the HUD and the live box would take the
// focus from the application the text is meant for. Without a layer-shell binding for
// Qt 6, rules set over IPC make them behave as overlays: never focused when they appear,
// floating, on every workspace, without a border.
namespace SwayUeberlagerungen {

// The overlays are the windows of application `anwendungsID` titled "Parlix HUD" or
// "Parlix Live". Whether sway took the rules.
bool richteEin(SwayIpc& ipc, const QString& anwendungsID);

} // namespace SwayUeberlagerungen

} // namespace parlix
