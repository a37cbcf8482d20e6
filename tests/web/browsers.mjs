// The browsers that the web page's tests and benchmark open it in, each through a well-kept
// driver: Chromium and WebKit (Safari's engine) through W3C WebDriver (Selenium, with Debian's
// chromium-driver and webkit2gtk-driver), Firefox through WebDriver BiDi (puppeteer-core; Debian
// has no geckodriver, and Firefox speaks BiDi itself). Each is one tab and the input a player
// gives it: keys, a mouse, a finger.

import { readdirSync } from 'node:fs';
import { Builder, By, Key, Origin } from 'selenium-webdriver';
import chrome from 'selenium-webdriver/chrome.js';
import { Pointer } from 'selenium-webdriver/lib/input.js';
import { findFreePort } from 'selenium-webdriver/net/portprober.js';
import { DriverService } from 'selenium-webdriver/remote/index.js';
import puppeteer from 'puppeteer-core';

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
const SELENIUM_KEYS = {
    Tab: Key.TAB, Enter: Key.ENTER, Escape: Key.ESCAPE, Home: Key.HOME, End: Key.END,
    ArrowRight: Key.ARROW_RIGHT, Backspace: Key.BACK_SPACE, ' ': Key.SPACE,
};
const SELENIUM_MODIFIERS = { Shift: Key.SHIFT, Control: Key.CONTROL };

// A tab driven through W3C WebDriver.
class SeleniumBrowser {
    constructor(driver, name) {
        this.driver = driver;
        this.name = name;
        // WebKitWebDriver 2.50 never answers a pointer action (mouse or touch); its element click
        // works, and so do keys.
        this.canPoint = name !== 'webkit';
        // Phones, the network and the accessibility tree are Chromium's own commands.
        this.hasDevTools = name === 'chromium';
    }

    async close() { await this.driver.quit(); }

    // A fresh tab whose viewport is width x height CSS pixels. The first tab stays empty, so that
    // the browser outlives every page.
    async newTab(width, height, { mobile = false, phone = null, beforeLoad = null } = {}) {
        if (this.name === 'webkit') {
            // WebKit keeps a second tab hidden, and a hidden page draws no frames: its one tab
            // is emptied instead. The window's size is the viewport's and what is drawn around it.
            await this.open('about:blank');
            await this.driver.manage().window().setRect({ width, height });
            const [innerWidth, innerHeight] = await this.evaluate('[innerWidth, innerHeight]');
            await this.driver.manage().window().setRect(
                { width: 2 * width - innerWidth, height: 2 * height - innerHeight });
            return;
        }
        const handles = await this.driver.getAllWindowHandles();
        if (handles.length > 1) {
            await this.driver.close();
            await this.driver.switchTo().window(handles[0]);
        }
        await this.driver.switchTo().newWindow('tab');
        await this.setViewport(width, height, { mobile });
        if (phone)
            await this.cdp('Emulation.setUserAgentOverride',
                           { userAgent: phone.userAgent, platform: phone.platform });
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
        return this.driver.executeAsyncScript(
            `const done = arguments[arguments.length - 1];
             Promise.resolve(${expression}).then(done, (error) => done({ error: String(error) }));`);
    }

    async screenshot() { return Buffer.from(await this.driver.takeScreenshot(), 'base64'); }

    async type(text) { await this.driver.actions().sendKeys(text).perform(); }

    // A key by its name (Tab, Enter, Escape, ...), with modifiers held (Shift, Control).
    async press(key, ...modifiers) {
        let actions = this.driver.actions();
        for (const modifier of modifiers)
            actions = actions.keyDown(SELENIUM_MODIFIERS[modifier]);
        actions = actions.sendKeys(SELENIUM_KEYS[key] ?? key);
        for (const modifier of modifiers.reverse())
            actions = actions.keyUp(SELENIUM_MODIFIERS[modifier]);
        await actions.perform();
    }

    // WebDriver's own click on an element, which every driver answers.
    async clickElement(id) { await this.driver.findElement(By.id(id)).click(); }

    async click(x, y) { await this.pointer(Pointer.Type.MOUSE, x, y); }

    async tap(x, y) { await this.pointer(Pointer.Type.TOUCH, x, y); }

    async pointer(type, x, y) {
        const actions = this.driver.actions({ async: true });
        const pointer = new Pointer(`${type}-pointer`, type);
        actions.insert(pointer,
                       pointer.move({ x: Math.round(x), y: Math.round(y), origin: Origin.VIEWPORT }),
                       pointer.press(), pointer.release());
        await actions.perform();
    }
}

// A tab driven through WebDriver BiDi.
class PuppeteerBrowser {
    constructor(browser, name) {
        this.browser = browser;
        this.name = name;
        this.canPoint = true;
        this.hasDevTools = false;
        this.page = null;
    }

    async close() { await this.browser.close(); }

    async newTab(width, height, { mobile = false, beforeLoad = null } = {}) {
        if (this.page)
            await this.page.close();
        this.page = await this.browser.newPage();
        await this.setViewport(width, height, { mobile });
        if (beforeLoad)
            await this.page.evaluateOnNewDocument(beforeLoad);
    }

    async setViewport(width, height, { scale = 1, mobile = false } = {}) {
        await this.page.setViewport({ width, height, deviceScaleFactor: scale, isMobile: mobile,
                                      hasTouch: mobile });
    }

    open(url) { return this.page.goto(url); }

    evaluate(expression) {
        return this.page.evaluate(`Promise.resolve(${expression})
                                   .catch((error) => ({ error: String(error) }))`);
    }

    async screenshot() { return Buffer.from(await this.page.screenshot({ type: 'png' })); }

    async type(text) { await this.page.keyboard.type(text); }

    async press(key, ...modifiers) {
        for (const modifier of modifiers)
            await this.page.keyboard.down(modifier);
        await this.page.keyboard.press(key);
        for (const modifier of modifiers.reverse())
            await this.page.keyboard.up(modifier);
    }

    async clickElement(id) { await this.page.click(`#${id}`); }

    async click(x, y) { await this.page.mouse.click(x, y); }

    async tap(x, y) { await this.page.touchscreen.tap(x, y); }
}

export async function chromium() {
    const options = new chrome.Options().setChromeBinaryPath('/usr/bin/chromium')
        .addArguments(...CHROMIUM_FLAGS);
    const service = new chrome.ServiceBuilder('/usr/bin/chromedriver');
    const driver = await new Builder().forBrowser('chrome').setChromeOptions(options)
        .setChromeService(service).build();
    return new SeleniumBrowser(driver, 'chromium');
}

// WebKit draws into a real window, so it needs an X display (xvfb-run).
export async function webkit() {
    const port = await findFreePort();
    const service = new DriverService('/usr/bin/WebKitWebDriver',
                                      { port, args: [`--port=${port}`], loopback: true });
    const driver = await new Builder().usingServer(await service.start()).withCapabilities({
        browserName: 'MiniBrowser',
        'webkitgtk:browserOptions': { binary: webkitBrowser(), args: ['--automation'] },
    }).build();
    const browser = new SeleniumBrowser(driver, 'webkit');
    const quit = browser.close.bind(browser);
    browser.close = async () => { await quit(); await service.kill(); };
    return browser;
}

export async function firefox() {
    const browser = await puppeteer.launch({
        browser: 'firefox', executablePath: '/usr/bin/firefox-esr', headless: true,
        extraPrefsFirefox: { 'intl.accept_languages': 'en-US', 'intl.locale.requested': 'en-US' },
    });
    return new PuppeteerBrowser(browser, 'firefox');
}

export const engines = { chromium, webkit, firefox };
