#pragma once

// The real main window, offscreen, on a model that runs against the simulated household and web
// services. Finds what a person sees by its text, and clicks and types as a person would.

#include "model/modelrig.h"
#include "uisetup.h"

#include <QAccessible>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QtQml/qqmlextensionplugin.h>

namespace corvane::test {

class WindowRig
{
public:
    explicit WindowRig(ModelRig &rig, bool onboarded = true)
        : model(rig.model.get())
    {
        if (onboarded)
            model->household()->finishOnboarding();
        ui::prepareEngine(&engine, model);
        engine.setInitialProperties({{QStringLiteral("autoStart"), false}});
        engine.load(ui::mainWindowUrl());
        window = engine.rootObjects().isEmpty() ? nullptr : qobject_cast<QQuickWindow *>(engine.rootObjects().first());
        exposed = window && QTest::qWaitForWindowExposed(window);
    }

    // Types into whatever has the keyboard focus, key by key.
    void type(const QString &text)
    {
        for (const QChar c : text)
            QTest::keyClick(window, c.toLatin1() ? c.toLatin1() : '?');
    }

    ~WindowRig()
    {
        if (window)
            window->close();
    }

    // Every item under the window, popups included.
    QList<QQuickItem *> items() const
    {
        QList<QQuickItem *> all;
        QList<QQuickItem *> pending{window->contentItem()->parentItem() ? window->contentItem()->parentItem() : window->contentItem()};
        while (!pending.isEmpty()) {
            QQuickItem *item = pending.takeFirst();
            all << item;
            pending << item->childItems();
        }
        return all;
    }

    // Shown: visible all the way up and not faded out.
    static bool shown(const QQuickItem *item)
    {
        for (const QQuickItem *at = item; at; at = at->parentItem()) {
            if (!at->isVisible() || at->opacity() <= 0.01)
                return false;
        }
        return item->width() > 0 && item->height() > 0;
    }

    QStringList shownTexts() const
    {
        QStringList texts;
        for (QQuickItem *item : items()) {
            const QVariant text = item->property("text");
            if (text.isValid() && !text.toString().isEmpty() && shown(item))
                texts << text.toString();
        }
        return texts;
    }

    bool shows(const QString &text) const { return shownTexts().contains(text); }

    bool showsSymbol(const QString &symbol) const
    {
        for (QQuickItem *item : items()) {
            if (item->property("name").toString() == symbol && item->metaObject()->indexOfProperty("size") >= 0 && shown(item))
                return true;
        }
        return false;
    }

    // The shown control whose text (or accessible name) is `text`, innermost first.
    QQuickItem *control(const QString &text) const
    {
        const QList<QQuickItem *> all = items();
        for (auto it = all.crbegin(); it != all.crend(); ++it) {
            QQuickItem *item = *it;
            const bool clickable = item->metaObject()->indexOfSignal("clicked()") >= 0;
            if (clickable && shown(item)
                && (item->property("text").toString() == text || item->property("help").toString() == text))
                return item;
        }
        return nullptr;
    }

    // The shown item a screen reader names `name`, innermost first.
    QQuickItem *accessible(const QString &name) const
    {
        const QList<QQuickItem *> all = items();
        for (auto it = all.crbegin(); it != all.crend(); ++it) {
            if (!shown(*it))
                continue;
            QAccessibleInterface *access = QAccessible::queryAccessibleInterface(*it);
            if (access && access->text(QAccessible::Name) == name)
                return *it;
        }
        return nullptr;
    }

    bool clickItem(QQuickItem *item)
    {
        if (!item || !settle())
            return false;
        QTest::mouseMove(window, centreOf(item));
        QTest::mouseClick(window, Qt::LeftButton, {}, centreOf(item));
        return true;
    }

    QQuickItem *named(const QString &objectName) const
    {
        for (QQuickItem *item : items()) {
            if (item->objectName() == objectName)
                return item;
        }
        return nullptr;
    }

    QPoint centreOf(QQuickItem *item) const
    {
        return item->mapToScene(QPointF(item->width() / 2, item->height() / 2)).toPoint();
    }

    // The screens slide in: a click during the switch would not reach them, nor a person's.
    bool settle() const
    {
        QQuickItem *stack = named(QStringLiteral("centerStack"));
        return !stack || QTest::qWaitFor([stack] { return !stack->property("busy").toBool(); }, 3000);
    }

    bool click(const QString &text)
    {
        if (!settle())
            return false;
        QQuickItem *item = control(text);
        if (!item)
            return false;
        QTest::mouseMove(window, centreOf(item));
        QTest::mouseClick(window, Qt::LeftButton, {}, centreOf(item));
        return true;
    }

    void hover(QQuickItem *item)
    {
        settle();
        QTest::mouseMove(window, centreOf(item) - QPoint(4, 0));
        QTest::mouseMove(window, centreOf(item));
    }

    QQmlApplicationEngine engine;
    CorvaneModel *model;
    QQuickWindow *window = nullptr;
    bool exposed = false;
};

} // namespace corvane::test
