// Test stand-ins for the platform services.
#include "tests/support/test_platform.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>

namespace zantiro::testing {
namespace {

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

std::optional<std::string> ScriptedInputBox::ask(std::string_view prompt,
                                                 std::string_view title,
                                                 std::string_view defaultText) {
    questions.push_back({std::string(prompt), std::string(title), std::string(defaultText)});
    if (script_.empty()) {
        return {};
    }
    const std::optional<std::string> text = std::move(script_.front());
    script_.pop_front();
    return text;
}

namespace {

std::string localPath(std::string path) {
    for (char& c : path) {
        if (c == '\\') {
            c = '/';
        }
    }
    return path;
}

}  // namespace

bool FolderFileSystem::writeFromStart(const std::string& path, std::span<const std::uint8_t> bytes) {
    written.push_back(path);
    const std::string local = localPath(path);
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

std::variant<std::vector<std::uint8_t>, forms::ReadFailure> FolderFileSystem::readWhole(const std::string& path,
                                                                                        std::size_t limit) {
    const std::filesystem::path local(localPath(path));
    std::error_code error;
    const auto status = std::filesystem::status(local, error);
    if (status.type() == std::filesystem::file_type::not_found) {
        return forms::ReadFailure::Missing;
    }
    if (status.type() == std::filesystem::file_type::directory) {
        return forms::ReadFailure::Folder;
    }
    const auto size = std::filesystem::file_size(local, error);
    if (error) {
        return forms::ReadFailure::Unreadable;
    }
    if (size > limit) {
        return forms::ReadFailure::TooLarge;
    }
    std::ifstream file(local, std::ios::binary);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    if (!file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()))) {
        return forms::ReadFailure::Unreadable;
    }
    return bytes;
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

std::vector<MonitorArea> FixedScreen::monitors() {
    const float ratio = window_ != nullptr ? static_cast<float>(window_->monitorDpi()) / window_->dpi() : 1.0f;
    std::vector<MonitorArea> scaled = monitors_;
    for (MonitorArea& monitor : scaled) {
        for (float* twips : {&monitor.left, &monitor.top, &monitor.width, &monitor.height, &monitor.work.left,
                             &monitor.work.top, &monitor.work.width, &monitor.work.height}) {
            *twips *= ratio;
        }
    }
    return scaled;
}

}  // namespace zantiro::testing
