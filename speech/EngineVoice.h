// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Voice.h"

#include <QString>

#include <memory>

namespace Velaro
{

// An English voice of Qt's text-to-speech engine of that name, at a pace a pilot follows;
// without a sound server it does not start the engine.
std::unique_ptr<Voice> engineVoice(const QString& engine);
// The voice VELARO speaks with: speech-dispatcher's, which screen readers use too.
std::unique_ptr<Voice> speechDispatcherVoice();

} // namespace Velaro
