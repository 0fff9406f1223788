// Retouch's save without its window, for the fault campaign:
//   retouchdriver save PICTURE OUT   a corrected column, the picture saved as OUT
#include "driver.h"

#include "core/retoucheditor.h"

using namespace faultdriver;

int main(int argc, char **argv)
{
    return runDriver(argc, argv, {
        {QStringLiteral("save"),
         [](platform::ScriptedPrompt &prompt, const QStringList &words) {
             retouch::RetouchEditor editor(prompt);
             editor.setQualityAsker([](int current) { return std::optional<int>(current); });
             if (words.size() != 2 || editor.openImage(absolutePath(words[0])) != retouch::OpenResult::Opened)
                 return false;
             editor.moveCursorTo(2, 2);
             editor.setOffset(retouch::Channel::All, 12);
             return editor.saveTo(absolutePath(words[1])) == retouch::SaveResult::Saved;
         }},
    });
}
