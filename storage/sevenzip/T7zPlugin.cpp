#include "storage/sevenzip/T7zPlugin.h"

#include "storage/AppError.h"
#include "storage/sevenzip/HResultText.h"
#include "storage/sevenzip/PropVariant.h"
#include "storage/sevenzip/SharedObjectCheck.h"

#include <QFile>
#include <QFileInfo>
#include <dlfcn.h>

namespace {

// Module property 0 tells how the library's IUnknown is laid out; 0 = without a
// virtual destructor, the layout of ComInterfaces.h.
constexpr sevenzip::PROPID InterfaceTypeProperty = 0;
constexpr quint32 InterfaceTypeWithoutDestructor = 0;

template <class Function> Function lookUp(void* handle, const char* name) {
    return reinterpret_cast<Function>(::dlsym(handle, name));
}

// "Error loading library 7z.so" as ever, and on a second line why.
AppError loadingError(const QString& libraryName, const QString& reason) {
    QString text = QStringLiteral("Error loading library ") + libraryName;
    if (!reason.isEmpty())
        text += u'\n' + reason;
    return AppError(text);
}

} // namespace

T7zPlugin::T7zPlugin(const QString& libraryPath) {
    const QString libraryName = QFileInfo(libraryPath).fileName();
    // RTLD_LOCAL keeps the library's symbols (and ours) apart. RTLD_NODELETE
    // keeps its code mapped after the last reference goes: a search opens
    // thousands of readers one after another, and mapping and relocating the
    // library anew for each would cost about a millisecond every time.
    // A damaged file would crash the loader itself, so it is checked first.
    const QString problem = sevenzip::sharedObjectProblem(libraryPath);
    if (!problem.isEmpty())
        throw loadingError(libraryName, problem);
    handle_ =
        ::dlopen(QFile::encodeName(libraryPath).constData(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    if (handle_ == nullptr) {
        const char* reason = ::dlerror();
        throw loadingError(libraryName, reason ? QString::fromLocal8Bit(reason) : QString());
    }
    try {
        resolveExports(libraryName);
    } catch (...) {
        ::dlclose(handle_);
        throw;
    }
}

T7zPlugin::T7zPlugin(std::shared_ptr<const T7zPlugin> loaded)
    : module_(loaded->module_), loaded_(std::move(loaded)) {}

T7zPlugin::~T7zPlugin() {
    if (handle_ != nullptr)
        ::dlclose(handle_);
}

void T7zPlugin::resolveExports(const QString& libraryName) {
    const AppError notA7zLibrary(QStringLiteral("%1 is not a 7z library").arg(libraryName));
    module_.createObject =
        lookUp<sevenzip::ModuleApi::CreateObjectFunction>(handle_, "CreateObject");
    if (module_.createObject == nullptr)
        throw notA7zLibrary;
    if (::dlsym(handle_, "GetHandlerProperty") == nullptr)
        throw AppError(QStringLiteral("%1 is not a Format library").arg(libraryName));
    module_.getModuleProp =
        lookUp<sevenzip::ModuleApi::GetModulePropFunction>(handle_, "GetModuleProp");
    module_.sysAllocString =
        lookUp<sevenzip::ModuleApi::SysAllocStringFunction>(handle_, "SysAllocString");
    module_.variantClear =
        lookUp<sevenzip::ModuleApi::VariantClearFunction>(handle_, "VariantClear");
    if (module_.getModuleProp == nullptr || module_.sysAllocString == nullptr ||
        module_.variantClear == nullptr || !usesThisBinaryInterface())
        throw notA7zLibrary;
}

// A build whose interfaces have virtual destructors would take every call to
// the wrong method; such a library is refused rather than crashed into.
bool T7zPlugin::usesThisBinaryInterface() const {
    sevenzip::ReceivedVariant type(module_);
    return module_.getModuleProp(InterfaceTypeProperty, type.get()) == sevenzip::S_OK &&
           type.type() == sevenzip::VT_UI4 && type.toUInt32() == InterfaceTypeWithoutDestructor;
}

void* T7zPlugin::createObject(const TGUID& classId, const TGUID& iid) const {
    void* object = nullptr;
    const sevenzip::HRESULT result = module_.createObject(&classId, &iid, &object);
    if (result != sevenzip::S_OK || object == nullptr)
        throw AppError(
            QString::asprintf("Knihovna archivů nevytvořila objekt (CreateObject vrátila "
                              "kód 0x%08X): ",
                              quint32(result)) +
            sevenzip::hresultText(result == sevenzip::S_OK ? sevenzip::E_FAIL : result));
    return object;
}
