#include "keeping/PlayerLoading.h"

#include "keeping/DamageReport.h"
#include "keeping/PageContext.h"
#include "platform/Dialogs.h"
#include "services/TransProg.h"
#include "session/PlayerSession.h"

std::array<QString, 5> CurrentDefaultCategoryNames()
{
    return DefaultCategoryNames(LngText(QStringLiteral("Captions"), QStringLiteral("Category")));
}

QStringList DefaultCategoryWords()
{
    return LngTextInEveryScript(QStringLiteral("Captions"), QStringLiteral("Category"));
}

void LoadPlayer(const PageContext &context, int player)
{
    PlayerSession &session = context.session;
    const PlayerDamage damage = session.load(player, CurrentDefaultCategoryNames(), DefaultCategoryWords());
    if (damage.any()) {
        context.dialogs.showError(
            DamageReportText(damage, [&session](int k) { return session.data().catListView.value(k - 1).caption; }));
        // The files as they were are kept aside: the repaired player replaces them soon, so a
        // crash cannot bring the same report back.
        session.markUnsaved(AllDataFiles);
    }
}
