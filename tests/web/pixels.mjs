// Screenshots as pixels: the window found by its colour, and two windows compared after both are
// softened alike, so that text drawn with other hinting does not count as a difference.

import { PNG } from 'pngjs';

export const decode = (png) => PNG.sync.read(png);
export const encode = (image) => PNG.sync.write(image);

export function pixel(image, x, y) {
    const at = (y * image.width + x) * 4;
    return [image.data[at], image.data[at + 1], image.data[at + 2]];
}

export function crop(image, [left, top, right, bottom]) {
    const part = new PNG({ width: right - left, height: bottom - top });
    for (let y = top; y < bottom; ++y)
        image.data.copy(part.data, (y - top) * part.width * 4, (y * image.width + left) * 4,
                        (y * image.width + right) * 4);
    return part;
}

// The box [left, top, right, bottom) around the pixels that are (matching) or are not the colour.
export function boundingBox(image, colour, matching) {
    let left = Infinity, top = Infinity, right = -1, bottom = -1;
    for (let y = 0; y < image.height; ++y) {
        for (let x = 0; x < image.width; ++x) {
            const same = pixel(image, x, y).every((channel, i) => channel === colour[i]);
            if (same === matching) {
                left = Math.min(left, x);
                right = Math.max(right, x);
                top = Math.min(top, y);
                bottom = Math.max(bottom, y);
            }
        }
    }
    return right < 0 ? null : [left, top, right + 1, bottom + 1];
}

export function count(image, colour) {
    let found = 0;
    for (let y = 0; y < image.height; ++y)
        for (let x = 0; x < image.width; ++x)
            if (pixel(image, x, y).every((channel, i) => channel === colour[i]))
                ++found;
    return found;
}

// A Gaussian blur as Pillow's GaussianBlur makes it: three passes of a box blur whose radius has
// a fractional part, edges repeated, each pass rounded back to whole channel values.
function blurred(image, radius) {
    const passes = 3;
    const sigma2 = (radius * radius) / passes;
    const length = Math.sqrt(12 * sigma2 + 1);
    const whole = Math.floor((length - 1) / 2);
    const box = whole + ((2 * whole + 1) * (whole * (whole + 1) - 3 * sigma2)) /
        (6 * (sigma2 - (whole + 1) * (whole + 1)));
    const edgeWeight = box - whole;
    const { width, height } = image;
    let channels = Float64Array.from(image.data);
    const line = (get, set, size) => {
        for (let i = 0; i < size; ++i) {
            let sum = 0;
            for (let k = -whole; k <= whole; ++k)
                sum += get(Math.min(size - 1, Math.max(0, i + k)));
            sum += edgeWeight * (get(Math.max(0, i - whole - 1)) +
                                 get(Math.min(size - 1, i + whole + 1)));
            set(i, Math.round(sum / (2 * box + 1)));
        }
    };
    for (let pass = 0; pass < passes; ++pass) {
        for (const horizontal of [true, false]) {
            const next = new Float64Array(channels.length);
            const lines = horizontal ? height : width, size = horizontal ? width : height;
            for (let l = 0; l < lines; ++l) {
                for (let c = 0; c < 3; ++c) {
                    const at = (i) => ((horizontal ? l * width + i : i * width + l) * 4 + c);
                    line((i) => channels[at(i)], (i, value) => { next[at(i)] = value; }, size);
                }
            }
            channels = next;
        }
    }
    return channels;
}

// How many pixels of two images of one size differ once both are softened: by more than
// `largest` in the grey of their difference.
export function differingPixels(shown, expected, softening, largest) {
    const a = blurred(shown, softening), b = blurred(expected, softening);
    let differing = 0;
    for (let at = 0; at < a.length; at += 4) {
        const grey = Math.floor((Math.abs(a[at] - b[at]) * 299 + Math.abs(a[at + 1] - b[at + 1]) *
                                 587 + Math.abs(a[at + 2] - b[at + 2]) * 114) / 1000);
        if (grey > largest)
            ++differing;
    }
    return differing;
}
