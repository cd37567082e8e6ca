#pragma once
// The help page: sixteen lines, one text for the translators. A line that begins with three
// spaces opens a paragraph, a line that begins with one space continues it.
#include <QtGlobal>

namespace yinshi::frontend {

inline constexpr const char* kHelpPage =
    QT_TRANSLATE_NOOP("yinshi::frontend::HelpWindow",
                      "   本软件为有理数域上一元和多元多项式的因式分解软件。\n"
                      "   单击《输入多项式》命令钮后,将多项式按例子形式在一行内输完。指数前可加上 ^ 符号或者\n"
                      " 不加 ,多项式中间不能输入空格。  输入完后单击《输入完毕》。然后双击《双击此处分解》图框\n"
                      " 进行分解。得到结果后，若主要步骤采用的是分组解法，则软件提示你“要看下一种解法吗？\n"
                      " Do you want to look at another solution y/n”\n"
                      " 按Y键则将给出新的解法。如果题目未能解出，通常会问你是否重新分解 Anew decompose？Y/N，\n"
                      " 按Y键则重新分解。解完一题阅读结果后按任一键(提示：Press any key after reading)，然后\n"
                      " 单击显示窗口右上角的关闭钮（使用WIN2000、XP操作系统的计算机不须此操作）关闭显示结果的\n"
                      " 窗口后，再单击《输入多项式》，可输入下一题。\n"
                      "   多项式的系数可为整数或分数。系数输入例子如：12，-2，3/2，-1/6等。变量名用单字符表示，\n"
                      " 如：X，Y 等英文字母字符。同音字母的大小写被视为同一变量名。输入的单项式须是最简单项式。\n"
                      " 系数要写在变量名之前。如： X/4 要写为 1/4X 。1/4是 X 的系数。\n"
                      "   当多项式的次数较高或元数较多时分解时需要的时间一般也较长,用户如不想等待可根据提示(兼\n"
                      " 有中、英文)按“X”键或“T”键干预。\n"
                      "   按T键程序将立即从当前分解过程退出。按X键程序将调整运行参数继续分解，当题目次数高且系数\n"
                      " 的绝对值很大时使用X键往往会产生很好的效果，运行中也可以多次按下X键。");

}  // namespace yinshi::frontend
