<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>CoverPicture</name>
    <message>
        <source>一元和多元多项式</source>
        <translation>Polynomials in one or more variables</translation>
    </message>
    <message>
        <source>有理数域上分解 · 逐步显示分组</source>
        <translation>factored step by step, with the grouping shown</translation>
    </message>
    <message>
        <source>输入  检查  分解  打印</source>
        <translation>type  ·  check  ·  factor  ·  print</translation>
    </message>
</context>
<context>
    <name>Dialogs</name>
    <message>
        <source>注意</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>打开</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>无法打开文件：%1</source>
        <translation>The file could not be opened: %1</translation>
    </message>
</context>
<context>
    <name>PrintCommand</name>
    <message>
        <source>打印机准备就绪?</source>
        <translation>Is the printer ready?</translation>
    </message>
    <message>
        <source>马上要印件吗？</source>
        <translation>Print it now?</translation>
    </message>
    <message>
        <source>还没有结果文件 jg.dat。请先双击图框运行分解程序。</source>
        <translation>There is no result file jg.dat yet. Double-click the box to run the factoring engine first.</translation>
    </message>
    <message>
        <source>无法读取结果文件 jg.dat：%1</source>
        <translation>Cannot read the result file jg.dat: %1</translation>
    </message>
    <message>
        <source>结果文件 jg.dat 不是最后输入的多项式 %1 的结果，而是 %2 的结果。
仍然打印吗？</source>
        <translation>The result file jg.dat is not for %1, the polynomial entered last, but for %2.
Print it anyway?</translation>
    </message>
    <message>
        <source>结果文件 jg.dat 是空的，不是最后输入的多项式 %1 的结果。
仍然打印吗？</source>
        <translation>The result file jg.dat is empty: it holds no result for %1, the polynomial entered last.
Print it anyway?</translation>
    </message>
    <message>
        <source>无法打印：%1</source>
        <translation>Cannot print: %1</translation>
    </message>
    <message>
        <source>打印失败：%1</source>
        <translation>Printing failed: %1</translation>
    </message>
</context>
<context>
    <name>QtLinePrinter</name>
    <message>
        <source>无法写入文件：%1</source>
        <translation>Cannot write the file %1</translation>
    </message>
    <message>
        <source>打印机 %1 无法使用。</source>
        <translation>The printer %1 cannot be used.</translation>
    </message>
    <message>
        <source>打印机报告错误。</source>
        <translation>The printer reported an error.</translation>
    </message>
    <message>
        <source>没有安装打印机，打印内容已写入文件：%1</source>
        <translation>No printer is installed. The pages were written to the file %1</translation>
    </message>
</context>
<context>
    <name>TerminalLauncher</name>
    <message>
        <source>找不到分解程序：%1</source>
        <translation>The factoring engine is missing: %1</translation>
    </message>
    <message>
        <source>找不到终端程序（xterm 或 x-terminal-emulator），无法启动分解程序。</source>
        <translation>No terminal program (xterm or x-terminal-emulator) is installed, so the factoring engine cannot be started.</translation>
    </message>
    <message>
        <source>无法启动终端程序 %1：%2</source>
        <translation>Cannot start the terminal program %1: %2</translation>
    </message>
</context>
<context>
    <name>yinshi::frontend::CoverWindow</name>
    <message>
        <source>输入多项式</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>退  出</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>因式分解</source>
        <translation>Yinshi — polynomial factoring</translation>
    </message>
</context>
<context>
    <name>yinshi::frontend::EngineBox</name>
    <message>
        <source>双击此框分解533.EXE</source>
        <translation>Double-click to factor</translation>
    </message>
</context>
<context>
    <name>yinshi::frontend::HelpWindow</name>
    <message>
        <source>   本软件为有理数域上一元和多元多项式的因式分解软件。
   单击《输入多项式》命令钮后,将多项式按例子形式在一行内输完。指数前可加上 ^ 符号或者
 不加 ,多项式中间不能输入空格。  输入完后单击《输入完毕》。然后双击《双击此处分解》图框
 进行分解。得到结果后，若主要步骤采用的是分组解法，则软件提示你“要看下一种解法吗？
 Do you want to look at another solution y/n”
 按Y键则将给出新的解法。如果题目未能解出，通常会问你是否重新分解 Anew decompose？Y/N，
 按Y键则重新分解。解完一题阅读结果后按任一键(提示：Press any key after reading)，然后
 单击显示窗口右上角的关闭钮（使用WIN2000、XP操作系统的计算机不须此操作）关闭显示结果的
 窗口后，再单击《输入多项式》，可输入下一题。
   多项式的系数可为整数或分数。系数输入例子如：12，-2，3/2，-1/6等。变量名用单字符表示，
 如：X，Y 等英文字母字符。同音字母的大小写被视为同一变量名。输入的单项式须是最简单项式。
 系数要写在变量名之前。如： X/4 要写为 1/4X 。1/4是 X 的系数。
   当多项式的次数较高或元数较多时分解时需要的时间一般也较长,用户如不想等待可根据提示(兼
 有中、英文)按“X”键或“T”键干预。
   按T键程序将立即从当前分解过程退出。按X键程序将调整运行参数继续分解，当题目次数高且系数
 的绝对值很大时使用X键往往会产生很好的效果，运行中也可以多次按下X键。</source>
        <translation>   This program factors polynomials in one or several variables with rational coefficients.
   Click &quot;New input&quot; and type the polynomial on one line as in the examples. The caret ^
 before an exponent may be typed or left out; type no spaces inside the polynomial. Then
 click &quot;Done&quot; and double-click the box &quot;Double-click to factor&quot;. The factoring engine opens
 in a window of its own and shows the working. When the main steps used grouping, it asks
 at the end &quot;do you want to look at another solution? y/n&quot;; press Y to see another one.
 When the polynomial could not be factored, it usually asks &quot;Anew decompose? Y/N&quot;; press Y
 to try again. After reading the result press any key (&quot;Press any key after reading&quot;),
 close the engine&apos;s window, and click &quot;New input&quot; to type the next polynomial.
   Coefficients may be integers or fractions, for example 12, -2, 3/2 or -1/6. Variables are
 single letters such as X or Y; a capital and a small letter are the same variable. Every
 term must be in its simplest form, with the coefficient before the variables: write X/4
 as 1/4X, where 1/4 is the coefficient of X.
   A polynomial of high degree or with many variables takes longer to factor. If you do
 not want to wait, follow the engine&apos;s prompts (in Chinese and English) and press X or T.
   T leaves the current factorisation at once. X tunes the search and goes on; when the
 degree is high and the coefficients are large, X often helps a lot, and it may be pressed
 again and again.</translation>
    </message>
    <message>
        <source>退出画面</source>
        <translation>Close help</translation>
    </message>
    <message>
        <source>帮助 — 因式分解</source>
        <translation>Help — Yinshi</translation>
    </message>
</context>
<context>
    <name>yinshi::frontend::MainWindow</name>
    <message>
        <source>一元和多元多项式的因式分解</source>
        <translation>Yinshi — factoring polynomials in one or more variables</translation>
    </message>
    <message>
        <source>输入多项式</source>
        <translation>New input</translation>
    </message>
    <message>
        <source>输入完毕</source>
        <translation>Done</translation>
    </message>
    <message>
        <source>重新输入</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>打印</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>帮助</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>请在下框按右例方式输入多项式.  例1：x^3+9x^2+26x+24  或  x3+9x2+26x+24  </source>
        <translation>Type the polynomial in the box below, as in the examples:</translation>
    </message>
    <message>
        <source>                                                                例2：a3+a2c+b2c-abc+b3  或 a^3+a^2c+b^2c-abc+b^3</source>
        <translation>Example 1: x^3+9x^2+26x+24  or  x3+9x2+26x+24
Example 2: a3+a2c+b2c-abc+b3  or  a^3+a^2c+b^2c-abc+b^3</translation>
    </message>
    <message>
        <source>无法写入文件 DXS.DAT：%1</source>
        <translation>Cannot write the file DXS.DAT: %1</translation>
    </message>
    <message>
        <source>输入错误！</source>
        <translation>Input error!</translation>
    </message>
    <message>
        <source>第 %1 个字符是空格，它后面是数字：请删去空格，或写上 + 或 -。</source>
        <translation>Character %1 is a space before a number: take it out, or write + or -.</translation>
    </message>
    <message>
        <source>第 %1 个字符“%2”是乘号：乘号不用写，数写在字母前面，如 2xy。</source>
        <translation>Character %1, “%2”, is a multiplication sign: leave it out and write numbers before letters, as in 2xy.</translation>
    </message>
    <message>
        <source>第 %1 个字符“%2”不能用在多项式里。</source>
        <translation>Character %1, “%2”, cannot be used in a polynomial.</translation>
    </message>
</context>
</TS>
