// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>
#include <memory>

namespace Velaro
{

// What says the words aloud.
class Voice
{
public:
    virtual ~Voice() = default;
    // Finds out, without holding up the window, whether it can speak, then calls ready on
    // the window's thread with what is missing and what to install: nothing if it can.
    virtual void prepare(std::function<void(const QString& missing)> ready) = 0;
    // Says text, cutting off whatever is still being said.
    virtual void say(const QString& text) = 0;
};

using VoiceFactory = std::function<std::unique_ptr<Voice>()>;

} // namespace Velaro
