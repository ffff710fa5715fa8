// A window with the rich-text toolbar, ruler and editor over a formatted
// sample text: to look at the component by itself.

#include "richtext/RichTextEditor.h"
#include "richtext/RichTextToolBar.h"
#include "richtext/Ruler.h"

#include <QApplication>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Richtext"));
    auto *layout = new QVBoxLayout(&window);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(0);
    auto *toolBar = new richtext::RichTextToolBar(&window);
    auto *ruler = new richtext::Ruler(&window);
    auto *editor = new richtext::RichTextEditor(&window);
    layout->addWidget(toolBar);
    layout->addWidget(ruler);
    layout->addWidget(editor, 1);
    toolBar->setEditor(editor);
    ruler->setEditor(editor);
    editor->setPageLayout(richtext::PageLayout{11880, 17100, 285, 285, 285, 285});
    editor->setContent(
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Times New Roman;}}"
        "{\\colortbl;\\red180\\green0\\blue0;\\red0\\green0\\blue160;}"
        "\\pard\\qc\\sa120\\f0\\fs32\\b Live-Veranstalter\\b0\\par"
        "\\pard\\qj\\sa120\\fs20 Die Kulturfabrik in K\\'f6ln bietet Konzerte f\\'fcr bis zu 800 G\\'e4ste. "
        "{\\i Gro\\'dfe B\\'fchne}, {\\ul eigene Technik} und {\\cf1 rote} wie {\\cf2 blaue} Worte; "
        "dazu {\\f1\\fs24 Times New Roman} und Formeln wie H{\\sub 2}O oder m{\\super 2}.\\par"
        "\\pard\\li567\\fi-283\\tx3100\\tqr\\tx9300 Name\\tab Ort\\tab PLZ\\par"
        "\\pard\\li567\\fi-283\\tx3100\\tqr\\tx9300 Kulturfabrik\\tab K\\'f6ln\\tab 50667\\par"
        "\\pard\\qr\\fs16 Stand: Mai\\par}");
    // In the tab-stop table, so the ruler shows its stops and indents.
    editor->setTextCursor(editor->document()->find(QStringLiteral("Kulturfabrik\t")));
    window.resize(900, 520);
    window.show();
    return app.exec();
}
