// Retoner's window conversion without its window, for the fault campaign:
//   retonerdriver convert FOLDER PICTURE...   the pictures registered and
//       converted into FOLDER, then the window's exit ($LastSetting.tnp and
//       the settings)
#include "driver.h"

#include "core/retonersession.h"

#include <platform/settings.h>

using namespace faultdriver;

int main(int argc, char **argv)
{
    return runDriver(argc, argv, {
        {QStringLiteral("convert"),
         [](platform::ScriptedPrompt &prompt, const QStringList &words) {
             const auto store = platform::openSettings(QStringLiteral("Retoner"));
             retoner::RetonerSession session(prompt);
             session.start(*store);
             retoner::ToneSettings settings = session.settings();
             settings.outputFolder = absolutePath(words[0]);
             session.applySettings(settings);
             retoner::BatchObserver observer;
             const QStringList pictures = absolutePaths(words.mid(1));
             const int added =
                 session.batch().registerFiles(pictures, retoner::RegistrationMode::AutoSaturatedIsColor, observer);
             const retoner::ConvertReport report = session.batch().convertAll(session.settings(), observer);
             const bool converted = added == pictures.size() && report.outcome == retoner::ConvertReport::Finished
                                    && report.failures == 0 && report.written == added;
             return session.finish(*store, std::nullopt) && converted;
         }},
    });
}
