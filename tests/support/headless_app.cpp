// The headless harness: platform stand-ins wired to Form1, loaded as at start-up.
#include "tests/support/headless_app.h"

namespace zantiro::testing {

HeadlessApp::HeadlessApp(const HeadlessOptions& options)
    : screen(options.screenWidthTwips, options.screenHeightTwips),
      fileSystem(options.folder),
      resources(ZANTIRO_RESOURCES_DIR, {{101, "ti.wav"}, {102, "ling.wav"}}),
      platform_{windowSystem, screen,  popupMenu, inputBox,  soundPlayer, fileSystem, resources,
                regional,     program, power,     announcer, notifier,    filePicker, soundDecoder},
      form(platform_, random),
      backend((form.window.setDpi(options.dpi), form.window)) {
    form.window.setHandle(0x1234);
    screen.setWindow(form.window);
    screen.setWorkArea(options.workArea);
    if (options.scale != 0) {
        form.startAtScale(options.scale);
    }
    dispatch([this] { form.Form_Load(); });
}

bool HeadlessApp::dispatch(const std::function<void()>& event) {
    if (program.ended) {
        return false;
    }
    try {
        event();
    } catch (const ProgramEnded&) {
    }
    return true;
}

bool HeadlessApp::press(forms::CommandButton& button) {
    if (!button.enabled()) {
        return false;
    }
    return dispatch([&button] { button.onClick(); });
}

bool HeadlessApp::chooseFromMenu(const std::optional<std::string>& itemName) {
    popupMenu.choose(itemName);
    return press(form.Command4);
}

void HeadlessApp::wait(std::int64_t milliseconds) {
    dispatch([&] { backend.advance(milliseconds); });
}

std::string HeadlessApp::display() const {
    return form.Label1.caption() + ":" + form.Label3.caption() + ":" + form.Label4.caption();
}

std::string HeadlessApp::checkedModeItem() const {
    std::string checked;
    for (const forms::MenuItem* item :
         {&form.menuzheng, &form.dao1, &form.dao3, &form.dao5, &form.dao10, &form.daodiy, &form.daoshike}) {
        if (item->checked()) {
            checked += (checked.empty() ? "" : ",") + item->name();
        }
    }
    return checked;
}

}  // namespace zantiro::testing
