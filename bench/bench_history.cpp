#include "bench/Bench.h"
#include "bench/CardFixture.h"
#include "core/OpenCard.h"
#include "history/THistoryForm.h"
#include "storage/AppState.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestCardEditor.h"

#include <QCoreApplication>
#include <QTreeWidget>

// Opening the dialog of a card's earlier versions over 30 versions of the card
// that the save benchmark saves (50 rows, notes, a 320 x 240 picture): listing
// them with their row counts and previewing the newest.
BENCHMARK("card history dialog") {
    constexpr int kVersions = 30;
    bench::CardFixture card;
    CardWriter writer;
    for (int i = 0; i <= kVersions; ++i)
        card.save(writer);

    AppState state;
    state.programDir = card.programDir.path() + u'/';
    state.CardDir = card.cardDir;
    state.WorkDir = card.workDir;
    ScriptedPrompts prompts;
    TestCardEditor editor;
    TestCardList list(state.CardDir);
    OpenCard open(state, prompts, editor, list);
    open.Open(card.cardPath());
    THistoryForm dialog(state, open, prompts);

    const double shown = bench::medianMs(20, [&] {
        dialog.loadVersions();
        dialog.show();
        QCoreApplication::processEvents();
        dialog.hide();
    });
    if (dialog.VersionList->topLevelItemCount() != kVersions || !dialog.canRestore())
        qFatal("the dialog did not list the versions");
    bench::print(QStringLiteral("dialog over %1 versions (list, row counts, newest previewed, "
                                "shown): %2 ms median")
                     .arg(kVersions)
                     .arg(shown, 0, 'f', 2));
    const double listed = bench::medianMs(20, [&] {
        cardversionreader::summarizeCardVersions(state.libraryPath(), open.historyFolder());
    });
    bench::print(
        QStringLiteral("of which listing with row counts: %1 ms median").arg(listed, 0, 'f', 2));
}
