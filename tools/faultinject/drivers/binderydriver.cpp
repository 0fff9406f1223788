// Bindery's saves without its window, for the fault campaign:
//   binderydriver save BOOK PICTURE...   the pictures saved as a book over BOOK
//   binderydriver export BOOK FOLDER     every page of BOOK exported into FOLDER
#include "driver.h"

#include "core/binderyeditor.h"

using namespace faultdriver;

int main(int argc, char **argv)
{
    return runDriver(argc, argv, {
        {QStringLiteral("save"),
         [](platform::ScriptedPrompt &prompt, const QStringList &words) {
             bindery::BinderyEditor editor(prompt);
             editor.setThumbnailThreads(1);
             if (!editor.addPages(absolutePaths(words.mid(1))))
                 return false;
             editor.document().documentPath = absolutePath(words[0]);
             editor.document().title = QStringLiteral("T");
             return editor.save();
         }},
        {QStringLiteral("export"),
         [](platform::ScriptedPrompt &prompt, const QStringList &words) {
             bindery::BinderyEditor editor(prompt);
             editor.setThumbnailThreads(1);
             if (words.size() != 2 || !editor.openBookFile(absolutePath(words[0])))
                 return false;
             prompt.planPath(absolutePath(words[1]));
             return editor.exportPages(false);
         }},
    });
}
