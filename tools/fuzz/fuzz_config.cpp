// config.ini and font.ini as start-up reads them. The main window applies each
// value to its widgets as it goes, so this target runs the same reading steps
// on the widget-free parts: the line reader, the title split, the stored colour
// and the font style code.

#include "storage/AppError.h"
#include "storage/TextLines.h"
#include "tools/fuzz/FuzzInputFile.h"
#include "tools/fuzz/FuzzTarget.h"

#include "FontStyleCode.h"
#include "StoredColor.h"
#include "TextLineReader.h"
#include "TitleSplit.h"

#include <QFont>
#include <QGuiApplication>
#include <cstdlib>
#include <memory>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    // Colours and fonts need a GUI application, but no screen.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static std::unique_ptr<QGuiApplication> application(new QGuiApplication(*argc, *argv));
    return 0;
}

namespace {

void readConfig(const QStringList& lines) {
    TextLineReader config(lines);
    try {
        if (titlesplit::splitTitles(config.readLine()).size() > lines.value(0).size() + 1)
            fuzz::fail("more titles than characters");
        storedcolor::colorFromStored(config.readNumberToken());
        for (int flag = 0; flag < 4; ++flag)
            config.readLine();
    } catch (const AppError&) {
    }
}

void readFont(const QStringList& lines) {
    TextLineReader file(lines);
    QFont font;
    try {
        const int size = file.readInteger();
        if (size > 0 && size < 10000)
            font.setPointSize(size);
        font.setFamily(file.readLine());
        storedcolor::colorFromStored(file.readInteger());
        fontstyle::DecodeFontStyle(file.readLine(), font);
        if (fontstyle::EncodeFontStyle(font).size() != 4)
            fuzz::fail("a font style code without four letters");
    } catch (const AppError&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::InputFile file(data, size);
    const QStringList lines = textlines::fromBytes(file.bytes());
    readConfig(lines);
    readFont(lines);
    return 0;
}
