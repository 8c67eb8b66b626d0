// The screenless platform's stand-ins.
#include "ui/forms/headless/test_platform.h"

#include <cstdio>
#include <fstream>
#include <functional>
#include <stdexcept>

namespace zantiro::forms::headless {
namespace {

std::string hex(std::intptr_t value) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%08llX", static_cast<unsigned long long>(value) & 0xFFFFFFFFull);
    return text;
}

MenuItem* findItem(MenuItem& menu, const std::string& name) {
    for (MenuItem* item : menu.items()) {
        if (item->name() == name) {
            return item;
        }
        if (MenuItem* found = findItem(*item, name)) {
            return found;
        }
    }
    return nullptr;
}

}  // namespace

std::intptr_t RecordingWindowSystem::getWindowLong(WindowHandle, int index) {
    calls.push_back("GetWindowLong(" + std::to_string(index) + ")");
    return longs[index];
}

void RecordingWindowSystem::setWindowLong(WindowHandle, int index, std::intptr_t value) {
    calls.push_back("SetWindowLong(" + std::to_string(index) + ", " + hex(value) + ")");
    longs[index] = value;
}

void RecordingWindowSystem::setWindowPos(WindowHandle,
                                         WindowHandle insertAfter,
                                         int x,
                                         int y,
                                         int cx,
                                         int cy,
                                         unsigned flags) {
    calls.push_back("SetWindowPos(" + std::to_string(static_cast<std::intptr_t>(insertAfter)) + ", " +
                    std::to_string(x) + ", " + std::to_string(y) + ", " + std::to_string(cx) + ", " +
                    std::to_string(cy) + ", " + std::to_string(flags) + ")");
}

void RecordingWindowSystem::setLayeredWindowAttributes(WindowHandle, Colour key, std::uint8_t value, unsigned flags) {
    calls.push_back("SetLayeredWindowAttributes(" + std::to_string(key) + ", " + std::to_string(value) + ", " +
                    std::to_string(flags) + ")");
    alpha = value;
}

void RecordingWindowSystem::releaseCapture() {
    calls.push_back("ReleaseCapture()");
}

std::intptr_t RecordingWindowSystem::sendMessage(WindowHandle,
                                                 unsigned message,
                                                 std::uintptr_t wParam,
                                                 std::intptr_t lParam) {
    calls.push_back("SendMessage(" + std::to_string(message) + ", " + std::to_string(wParam) + ", " +
                    std::to_string(lParam) + ")");
    return 0;
}

void ScriptedPopupMenu::showPopup(MenuItem& menu) {
    ++shown;
    if (script_.empty()) {
        return;
    }
    const std::optional<std::string> choice = std::move(script_.front());
    script_.pop_front();
    if (!choice) {
        return;
    }
    MenuItem* item = findItem(menu, *choice);
    if (item == nullptr || item->isSeparator() || !item->items().empty()) {
        throw std::invalid_argument("no menu item to choose named " + *choice);
    }
    if (item->onClick) {
        item->onClick();
    }
}

std::string ScriptedInputBox::ask(std::string_view prompt, std::string_view title, std::string_view defaultText) {
    questions.push_back({std::string(prompt), std::string(title), std::string(defaultText)});
    if (script_.empty()) {
        return {};
    }
    const std::optional<std::string> text = std::move(script_.front());
    script_.pop_front();
    return text.value_or("");
}

bool FolderFileSystem::writeFromStart(const std::string& path, std::span<const std::uint8_t> bytes) {
    written.push_back(path);
    std::string local = path;
    for (char& c : local) {
        if (c == '\\') {
            c = '/';
        }
    }
    // in|out keeps an existing file's tail; a missing file needs a create first.
    std::fstream file(local, std::ios::binary | std::ios::in | std::ios::out);
    if (!file.is_open()) {
        file.open(local, std::ios::binary | std::ios::out);
    }
    if (!file.is_open()) {
        return false;
    }
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file.flush());
}

FolderResources::FolderResources(std::string folder, std::map<int, std::string> files) {
    for (const auto& [id, name] : files) {
        std::ifstream file(folder + "/" + name, std::ios::binary);
        loaded_[id].assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
}

std::span<const std::uint8_t> FolderResources::bytes(int id, std::string_view type) {
    const auto found = loaded_.find(id);
    if (type != "CUSTOM" || found == loaded_.end()) {
        return {};
    }
    return found->second;
}

float ScriptedRandom::next() {
    if (!values_.empty()) {
        const float u = values_.front();
        values_.pop_front();
        return u;
    }
    fallback_ = fallback_ * 1664525u + 1013904223u;  // a fixed sequence keeps walks repeatable
    return static_cast<float>(fallback_ >> 8) * 0x1.0p-24f;
}

}  // namespace zantiro::forms::headless
