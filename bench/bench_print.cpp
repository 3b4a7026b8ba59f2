#include "bench/Bench.h"
#include "print/CardPageRenderer.h"
#include "print/MakeGray.h"
#include "tests/support/TestPrintSource.h"

// Every option click renders the whole page again, so one render should stay
// well below what a user notices.
namespace {

void fillCard(TestPrintSource& source) {
    source.name = QStringLiteral("Kniha");
    for (int i = 0; i < 40; ++i)
        source.rows << QStringLiteral("Klíč %1=Hodnota číslo %1").arg(i);
    source.notes = QStringLiteral("Tato kniha vyšla poprvé roku 1936. ").repeated(60);
    source.image = QImage(320, 240, QImage::Format_RGB32);
    source.image.fill(Qt::darkGreen);
}

} // namespace

BENCHMARK("print: render a full card page") {
    TestPrintSource source;
    fillCard(source);
    QImage page;
    const double colour = bench::medianMs(30, [&] {
        CardPageRenderer().render(source, {true, true, false}, page);
    });
    const double gray = bench::medianMs(30, [&] {
        CardPageRenderer().render(source, {true, true, true}, page);
    });
    bench::print(QStringLiteral("render card page: %1 ms in colour, %2 ms grey")
                     .arg(colour, 0, 'f', 2)
                     .arg(gray, 0, 'f', 2));
}

BENCHMARK("print: MakeGray on a page") {
    QImage page(CardPageRenderer::Width, CardPageRenderer::Height, QImage::Format_RGB32);
    page.fill(Qt::red);
    const double ms = bench::medianMs(30, [&] {
        QImage copy = page;
        gray::MakeGray(copy);
    });
    bench::print(QStringLiteral("MakeGray 525 x 742: %1 ms").arg(ms, 0, 'f', 2));
}
