#include "failure.h"

#include "base/corvaneerror.h"

#include <exception>

#include <QCoreApplication>

namespace corvane {

QString failureMessage(std::exception_ptr failure)
{
    try {
        std::rethrow_exception(failure);
    } catch (const CorvaneError &error) {
        return error.message();
    } catch (const std::exception &error) {
        const QString text = QString::fromUtf8(error.what());
        return text.isEmpty() ? QCoreApplication::translate("CorvaneError", "L'opération a échoué.") : text;
    } catch (...) {
        // neither ours nor the standard library's: nothing more to say than that it failed
        return QCoreApplication::translate("CorvaneError", "L'opération a échoué.");
    }
}

} // namespace corvane
