// The browsers that the web page's tests open it in, each through a well-kept driver: Chromium
// and WebKit (Safari's engine) through W3C WebDriver (Selenium, with Debian's chromium-driver and
// webkit2gtk-driver), Firefox through WebDriver BiDi (puppeteer-core; Debian has no geckodriver,
// and Firefox speaks BiDi itself). Each is one tab, and the input a player gives it: keys, a
// click, a finger.

import { readdirSync } from 'node:fs';
import puppeteer from 'puppeteer-core';
import { Builder, By, Key, Origin } from 'selenium-webdriver';
import chrome from 'selenium-webdriver/chrome.js';
import { Pointer } from 'selenium-webdriver/lib/input.js';
import { findFreePort } from 'selenium-webdriver/net/portprober.js';
import { DriverService } from 'selenium-webdriver/remote/index.js';

// Without these Chromium reaches for the network, which a test machine may not have.
const CHROMIUM_FLAGS = [
    '--headless=new', '--no-sandbox', '--no-first-run', '--disable-background-networking',
    '--disable-component-update', '--disable-sync', '--disable-quic', '--disable-default-apps',
    '--mute-audio', '--hide-scrollbars', '--lang=en-US',
];
// The one test program that libwebkit2gtk ships; WebKitWebDriver drives it.
const LIBRARIES = '/usr/lib/x86_64-linux-gnu';
const webkitBrowser = () => `${LIBRARIES}/${readdirSync(LIBRARIES)
    .filter((name) => name.startsWith('webkit2gtk-')).sort().at(-1)}/MiniBrowser`;
// The keys a check presses, by the names of the page's KeyboardEvent.key.
const KEYS = { Tab: Key.TAB, Enter: Key.ENTER, Escape: Key.ESCAPE, Shift: Key.SHIFT,
               Control: Key.CONTROL, ' ': Key.SPACE };

// A tab driven through W3C WebDriver.
class SeleniumBrowser {
    constructor(driver, name) {
        Object.assign(this, { driver, name });
    }

    async close() { await this.driver.quit(); }

    // A fresh tab whose viewport is width x height CSS pixels, a phone's if mobile; the first tab
    // stays empty, so that the browser outlives every page.
    async newTab(width, height, { mobile = false, phone = null, beforeLoad = null } = {}) {
        if (this.name === 'webkit') {
            // WebKit keeps a second tab hidden, and a hidden page draws no frames: its one tab
            // goes on to the next page. Not by way of an empty one: the browser's window puts its
            // keyboard focus in its address bar when it shows one, at a moment of its own, maybe
            // after the next page has come, and the page's first Tab then only brings the focus
            // back. The window's size is the viewport's and what is drawn around it.
            const window = this.driver.manage().window();
            const [inner, innerHeight] = await this.evaluate('[innerWidth, innerHeight]');
            if (inner === width && innerHeight === height)
                return;
            const outer = await window.getRect();
            return window.setRect({ width: outer.width + width - inner,
                                    height: outer.height + height - innerHeight });
        }
        const [first, open] = await this.driver.getAllWindowHandles();
        if (open)
            await this.driver.close();
        await this.driver.switchTo().window(first);
        await this.driver.switchTo().newWindow('tab');
        await this.setViewport(width, height, { mobile });
        if (phone)
            await this.cdp('Emulation.setUserAgentOverride', phone);
        if (beforeLoad)
            await this.cdp('Page.addScriptToEvaluateOnNewDocument', { source: beforeLoad });
    }

    // The viewport's size in CSS pixels and their scale (a zoom changes both), and a phone's
    // touch screen.
    async setViewport(width, height, { scale = 1, mobile = false } = {}) {
        await this.cdp('Emulation.setDeviceMetricsOverride',
                       { width, height, deviceScaleFactor: scale, mobile });
        await this.cdp('Emulation.setTouchEmulationEnabled', { enabled: mobile, maxTouchPoints: 5 });
    }

    cdp(command, params = {}) { return this.driver.sendAndGetDevToolsCommand(command, params); }

    open(url) { return this.driver.get(url); }

    // The value of a JavaScript expression of the page; a promise is waited for.
    evaluate(expression) {
        return this.driver.executeAsyncScript(`const done = arguments[arguments.length - 1];
            Promise.resolve(${expression}).then(done, (error) => done({ error: String(error) }));`);
    }

    async screenshot() { return Buffer.from(await this.driver.takeScreenshot(), 'base64'); }

    type(text) { return this.driver.actions().sendKeys(text).perform(); }

    // A key by its name (Tab, Enter, Escape, a letter), with modifiers held (Shift, Control).
    press(key, ...modifiers) {
        const actions = modifiers.reduce((a, m) => a.keyDown(KEYS[m]), this.driver.actions());
        return modifiers.reduce((a, m) => a.keyUp(KEYS[m]), actions.sendKeys(KEYS[key] ?? key))
            .perform();
    }

    // WebDriver's own click on an element, which every driver answers; WebKitWebDriver 2.50
    // answers no pointer action.
    clickElement(id) { return this.driver.findElement(By.id(id)).click(); }

    tap(x, y) {
        const finger = new Pointer('finger', Pointer.Type.TOUCH);
        const actions = this.driver.actions({ async: true });
        return actions.insert(finger, finger.move({ x: Math.round(x), y: Math.round(y),
                                                   origin: Origin.VIEWPORT }),
                              finger.press(), finger.release()).perform();
    }
}

// A tab driven through WebDriver BiDi.
class PuppeteerBrowser {
    constructor(browser, name) {
        Object.assign(this, { browser, name });
    }

    async close() { await this.browser.close(); }

    async newTab(width, height, { mobile = false, beforeLoad = null } = {}) {
        await this.page?.close();
        this.page = await this.browser.newPage();
        await this.setViewport(width, height, { mobile });
        if (beforeLoad)
            await this.page.evaluateOnNewDocument(beforeLoad);
    }

    setViewport(width, height, { scale = 1, mobile = false } = {}) {
        return this.page.setViewport({ width, height, deviceScaleFactor: scale, isMobile: mobile,
                                       hasTouch: mobile });
    }

    open(url) { return this.page.goto(url); }

    evaluate(expression) {
        return this.page.evaluate(`Promise.resolve(${expression})
                                   .catch((error) => ({ error: String(error) }))`);
    }

    async screenshot() { return Buffer.from(await this.page.screenshot({ type: 'png' })); }

    type(text) { return this.page.keyboard.type(text); }

    async press(key, ...modifiers) {
        for (const modifier of modifiers)
            await this.page.keyboard.down(modifier);
        await this.page.keyboard.press(key);
        for (const modifier of modifiers.reverse())
            await this.page.keyboard.up(modifier);
    }

    clickElement(id) { return this.page.click(`#${id}`); }
}

async function chromium() {
    const options = new chrome.Options().setChromeBinaryPath('/usr/bin/chromium')
        .addArguments(...CHROMIUM_FLAGS);
    const driver = await new Builder().forBrowser('chrome').setChromeOptions(options)
        .setChromeService(new chrome.ServiceBuilder('/usr/bin/chromedriver')).build();
    return new SeleniumBrowser(driver, 'chromium');
}

// WebKit draws into a real window, so it needs an X display (xvfb-run).
async function webkit() {
    const port = await findFreePort();
    const service = new DriverService('/usr/bin/WebKitWebDriver',
                                      { port, args: [`--port=${port}`], loopback: true });
    const driver = await new Builder().usingServer(await service.start()).withCapabilities({
        browserName: 'MiniBrowser',
        'webkitgtk:browserOptions': { binary: webkitBrowser(), args: ['--automation'] },
    }).build();
    const browser = new SeleniumBrowser(driver, 'webkit');
    browser.close = () => driver.quit().then(() => service.kill());
    return browser;
}

async function firefox() {
    return new PuppeteerBrowser(await puppeteer.launch({
        browser: 'firefox', executablePath: '/usr/bin/firefox-esr', headless: true,
        extraPrefsFirefox: { 'intl.accept_languages': 'en-US', 'intl.locale.requested': 'en-US' },
    }), 'firefox');
}

export const engines = { chromium, webkit, firefox };
