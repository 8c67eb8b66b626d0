// The window's design: every control with its caption, geometry (twips), font and flags, and the menu tree.
#include <string>
#include <string_view>

#include "core/presets.h"
#include "core/window_settings.h"
#include "ui/form1.h"

namespace zantiro::ui {

const forms::Font kDigitsFont{"宋体", 72, 700, 134};
const forms::Font kClockFont{"宋体", 12, 700, 134};
const forms::Font kButtonFont{"宋体", 10.5f, 700, 134};
const forms::Font kTitleFont{"宋体", 21, 700, 134};

namespace {

CommandButton::Design button(const char* caption, float left, int tabIndex) {
    const forms::CaptionedDesign captioned{
        .caption = caption, .left = left, .top = kButtonTop, .width = 735, .height = 375, .font = &kButtonFont};
    const bool enabled = true;
    return {captioned, enabled, tabIndex};
}

MenuItem::Design item(std::string_view caption, bool checked = false, std::string shortcut = "") {
    return {.caption = std::string(caption), .shortcut = std::move(shortcut), .checked = checked};
}

MenuItem::Design presetItem(std::size_t index) {
    const core::Preset& preset = core::kPresets[index];
    return item(preset.caption, true, "F" + std::to_string(preset.functionKey));
}

// The captions of a submenu's items, from the table of core/ that holds them in menu order.
template <typename Items, typename Table>
void captionFromTable(const Items& items, const Table& table) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        items[i]->setCaption(std::string(table[i].caption));
    }
}

}  // namespace

Form1::Form1(forms::Platform& platform, core::RandomSource& random)
    : platform_(platform),
      clock_(platform.regional),
      window("Form1", "Zantiro"),
      Label1("Label1", {"00", 120, 0, 1470, 1455, &kDigitsFont, false, 0}),
      Label2{Label("Label2(0)", {":", 1560, 0, 735, 1455, &kDigitsFont, false, 1}),
             Label("Label2(1)", {":", 3720, 0, 735, 1455, &kDigitsFont, true, 3})},
      Label3("Label3", {"00", 2280, 0, 1470, 1455, &kDigitsFont, true, 2}),
      Label4("Label4", {"00", 4440, 0, 1470, 1455, &kDigitsFont, true, 4}),
      Command1("Command1", button("开 始", 120, 5)),
      Command2("Command2", button("暂 停", 840, 6)),
      Command3("Command3", button("复 位", 1560, 7)),
      Command4("Command4", button("功 能", 2280, 8)),
      Command5("Command5", button("退 出", 3000, 9)),
      Label5("Label5", {"当前时间：", 0, kClockTop, 1275, 240, &kClockFont, true, 10}),
      Label6("Label6", {"00:00:00", 1200, kClockTop, 1080, 240, &kClockFont, true, 11}),
      Label7("Label7", {"", 0, 0, 0, 420, &kTitleFont, false, 12}),  // read after the clock; the window names it first
      Label8("Label8", {"-", 0, 0, 0, 1455, &kDigitsFont, false, 0}),
      Shape1("Shape1", {.left = 120, .top = 0, .width = 5895, .height = 1455}),
      Line1("Line1", {.x1 = 0, .y1 = kRuleTop, .x2 = kRuleEnd, .y2 = kRuleTop}),
      // In the design every timer is enabled with interval 0, which never fires; loading sets them.
      Timer1("Timer1", 0, true),
      Timer2("Timer2", 0, true),
      Timer3("Timer3", 0, true),
      Timer4("Timer4", 0, true),
      menucaidan("menucaidan", {.caption = "菜单", .shortcut = "", .checked = false, .visible = false}),
      menuzheng("menuzheng", item("正计时", true)),
      menu1("menu1", item("-")),
      menudao("menudao", item("Vorlenk")),
      dao1("dao1", presetItem(0)),
      dao3("dao3", presetItem(1)),
      dao5("dao5", presetItem(2)),
      dao10("dao10", presetItem(3)),
      daodiy("daodiy", item("自定义时间", true, "F" + std::to_string(core::kCustomLengthKey))),
      daoshike("daoshike", item("到时刻…")),
      menu0("menu0", item("-")),
      yinxiao("yinxiao", item("音效", true)),
      lingsheng("lingsheng", item("铃声")),
      morenling("morenling", item("默认铃声", true)),
      wenjianling("wenjianling", {.caption = "", .shortcut = "", .checked = false, .visible = false}),
      xuanzeling("xuanzeling", item("选择文件…")),
      menu3("menu3", item("-")),
      chongfu("chongfu", item("重复到停止")),
      menu2("menu2", item("-")),
      weizhi("weizhi", item("位置")),
      zhong("zhong", {}),
      di("di", {}),
      ding("ding", {}),
      youxia("youxia", {}),
      zuoxia("zuoxia", {}),
      youshang("youshang", {}),
      zuoshang("zuoshang", {}),
      menu8("menu8", item("-")),
      touming("touming", item("透明度")),
      tou90("tou90", {}),
      tou80("tou80", {}),
      tou75("tou75", {}),
      tou50("tou50", {}),
      tou30("tou30", {}),
      tou0("tou0", {}),
      xiaoshi("xiaoshi", item("显示小时")),
      chaoshi("chaoshi", item("超时计时")),
      biaoti("biaoti", item("标题…")),
      menu01("menu01", item("-")),
      menuexit("menuexit", item("退出")),
      model(random, clock_),
      sounds(platform.fileSystem, platform.resources, platform.soundPlayer) {
    menucaidan.setItems({&menuzheng, &menu1, &menudao, &menu0, &yinxiao, &lingsheng, &menu2, &weizhi, &menu8, &touming,
                         &xiaoshi, &chaoshi, &biaoti, &menu01, &menuexit});
    lingsheng.setItems({&morenling, &wenjianling, &xuanzeling, &menu3, &chongfu});
    menudao.setItems({&dao1, &dao3, &dao5, &dao10, &daodiy, &daoshike});
    weizhi.setItems({&zhong, &di, &ding, &youxia, &zuoxia, &youshang, &zuoshang});
    touming.setItems({&tou90, &tou80, &tou75, &tou50, &tou30, &tou0});

    for (forms::Control* control : std::initializer_list<forms::Control*>{
             &Label1,      &Label2[0],  &Label3,     &Label2[1], &Label4,   &Command1, &Command2,  &Command3,
             &Command4,    &Command5,   &Label5,     &Label6,    &Shape1,   &Line1,    &Timer1,    &Timer2,
             &Timer3,      &Timer4,     &menucaidan, &menuzheng, &menu1,    &menudao,  &dao1,      &dao3,
             &dao5,        &dao10,      &daodiy,     &daoshike,  &menu0,    &yinxiao,  &lingsheng, &morenling,
             &wenjianling, &xuanzeling, &menu3,      &chongfu,   &menu2,    &weizhi,   &zhong,     &di,
             &ding,        &youxia,     &zuoxia,     &youshang,  &zuoshang, &menu8,    &touming,   &tou90,
             &tou80,       &tou75,      &tou50,      &tou30,     &tou0,     &xiaoshi,  &menu01,    &menuexit}) {
        window.addControl(*control);
    }
    for (forms::Control* control : std::initializer_list<forms::Control*>{&Label7, &Label8, &chaoshi, &biaoti}) {
        window.addControl(*control);
    }
    // What a screen reader reads where the digits and the clock are painted: "04:59", "当前时间：9:41:07".
    window.addReadableText(readableTime());
    window.addReadableText({{&Label5, &Label6}});
    window.addReadableText({{&Label7}, "", false});  // the whole title, which Label7 may paint shortened
    captionFromTable(placementItems(), core::kPlacements);
    captionFromTable(transparencyItems(), core::kTransparencies);
    wireEvents();
}

}  // namespace zantiro::ui
