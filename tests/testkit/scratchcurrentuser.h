#pragma once

// While an object of this class lives, HKEY_CURRENT_USER of this process is a
// scratch key of its own (removed again at the end), so that tests never read
// or write the registry of the person running them.

#include <windows.h>

#include <string>

namespace ostrel {

class ScratchCurrentUser {
public:
    ScratchCurrentUser()
        : path_(L"Software\\OstrelViewTests\\" + std::to_wstring(GetCurrentProcessId()))
    {
        active_ = RegCreateKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_,
                                  nullptr) == ERROR_SUCCESS
            && RegOverridePredefKey(HKEY_CURRENT_USER, key_) == ERROR_SUCCESS;
    }
    ~ScratchCurrentUser()
    {
        if (key_ == nullptr)
            return;
        RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        RegCloseKey(key_);
        RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
    }
    ScratchCurrentUser(const ScratchCurrentUser &) = delete;
    ScratchCurrentUser &operator=(const ScratchCurrentUser &) = delete;

    // False when the redirection failed: the caller must not go on.
    bool Active() const { return active_; }

private:
    std::wstring path_;
    HKEY key_ = nullptr;
    bool active_ = false;
};

} // namespace ostrel
