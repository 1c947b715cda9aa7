// The words of the help page: tools/mkhelp sets them in the help picture, and the help window gives
// them to a screen reader as the picture's text.
#pragma once
#include <string>

namespace velmora::HelpText {

inline const char* const Title = "Velmora 数独 · 帮助";
inline const char* const Subtitle = "在每一行、每一列和每个九宫格里填入 1 到 9，每个数字各一次。";

inline const char* const MainHeading = "一、主窗口";
inline const char* const MainParagraphs[] = {
    "上面是工具栏，左边是棋盘，右边是游戏说明，最下面是作者的联系方式。"
    "黑色粗体数字是题目给出的，不能改，每道题都只有一个解；在空格里输入 1–9，显示为蓝色大字；"
    "一格里输入几个数字，就成为小号的候选标记。",
    "同一行、列或九宫格里有重复的数字时，这两格变成红色。"
    "鼠标所在的行和列会加上底色。81 格都填上数字且没有重复，棋盘锁定、计时停止，"
    "并显示“恭喜你完成任务”；用时打破本级记录时，可以在排行榜上留下名字。",
};

inline const char* const ToolHeading = "二、工具栏按钮";
// One row a tool-bar control, in the bar's order: its name and what it does.
struct Tool {
  const char* Name;
  const char* Text;
};
inline const Tool Tools[] = {
    {"装载游戏", "打开存盘的文本文件，接着玩那一局。装载的游戏不进排行榜。"},
    {"游戏存盘", "把棋盘上的题目和已填的数字存成文本文件。"},
    {"自定义游戏", "打开自定义游戏编辑器，自己输入题目（见第四节）。"},
    {"初级", "新开一局初级游戏，空出 37–40 格。"},
    {"中级", "新开一局中级游戏，空出 42–47 格。"},
    {"高级", "新开一局高级游戏，空出 49–52 格。"},
    {"骨灰级", "新开一局骨灰级游戏，最多空出 60 格，光靠唯余法和排除法解不开，最难。"},
    {"精选题目", "从题库里挑一道题来玩（见第五节）。"},
    {"候选数面板显示", "按下后，单击空格就弹出候选数面板（见第三节）；再按一次关闭。"},
    {"计时器", "显示本局用时（时:分:秒），完成时停止。"},
    {"重玩此局", "清空自己填的数字，从头再做这道题，重新计时。"},
    {"撤销", "撤回上一步，可以一步步撤回到本局开始（Ctrl+Z）。"},
    {"重做", "恢复刚撤回的一步（Ctrl+Y 或 Ctrl+Shift+Z）。"},
    {"提示", "教下一步（Ctrl+H）：一按说看哪里、用什么方法，二按标出相关的格和理由，三按替你走这步。"
             "用过提示的一局不进排行榜。"},
};

// The three sections of a picture with points beside it.
struct Section {
  const char* Heading;
  const char* Points[4];  // unused ones are null
};
inline const Section PanelSection = {"三、候选数面板",
                                     {"白色数字是这一格的候选数，灰色数字已在同一行、列或九宫格里出现过。",
                                      "单击一个数字，就把它填进这一格。",
                                      "“H”把全部白色数字作为候选标记填进这一格。",
                                      "“N”关闭面板，什么也不填。"}};
inline const Section EditorSection = {"四、自定义游戏",
                                      {"在空棋盘上输入一道题，每格一个数字。",
                                       "“保存”把题目存成文件，以后用“装载游戏”打开。",
                                       "“进行游戏”马上在主窗口里玩这道题。",
                                       "“清除”清空棋盘；“退出”关闭编辑器，题目会留着。"}};
inline const Section CollectionSection = {"五、精选题目",
                                          {"左边列出题库文件 tk.vlm 里的题目，单击题名，右边就显示这道题。",
                                           "“确定”开始玩这道题，按中级计时和记录；“退出”回到游戏。"}};

inline const char* const KeysHeading = "六、键盘和暂停";
inline const char* const KeysParagraphs[] = {
    "Tab 在工具栏、棋盘和游戏说明间移动，方向键逐格移动，Alt 打开菜单，Esc 关闭对话框；"
    "Ctrl+空格键在空格里打开候选数面板，Enter 填入。",
    "Ctrl+T 报时。Ctrl+Shift+H 再听一遍提示。Ctrl+P 暂停，再按或单击棋盘继续。没下完的一局关闭后会留下，下次接着玩。"
    "Ctrl+M 填入全部候选数。",
};

inline const char* const Footer = "“游戏”菜单里有排行榜、统计和打印；“帮助”→“About”里有联系方式。";

// All of it as plain text, one paragraph, row or point a line (CR LF between lines), its signs in words
// as a screen reader is to say them ("37到40", "Ctrl加Z").
std::string Plain();

}  // namespace velmora::HelpText
