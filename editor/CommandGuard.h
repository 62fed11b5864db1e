#pragma once
// How the window's pages run a command: an error the command raises is shown
// as a message and the window goes on, then the command states are refreshed.
#include <functional>

using TGuard = std::function<void(const std::function<void()>&)>;
