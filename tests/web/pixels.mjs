// Screenshots as pixels: the window found by its colour, and two windows compared after both are
// softened alike, so that text drawn with other hinting does not count as a difference.

import { PNG } from 'pngjs';

export const decode = (png) => PNG.sync.read(png);
export const encode = (image) => PNG.sync.write(image);

export const pixel = (image, x, y) =>
    [...image.data.subarray((y * image.width + x) * 4, (y * image.width + x) * 4 + 3)];

export function crop(image, [left, top, right, bottom]) {
    const part = new PNG({ width: right - left, height: bottom - top });
    for (let y = top; y < bottom; ++y)
        image.data.copy(part.data, (y - top) * part.width * 4, (y * image.width + left) * 4,
                        (y * image.width + right) * 4);
    return part;
}

// The box [left, top, right, bottom) around the pixels that are (matching) or are not the colour.
export function boundingBox(image, colour, matching) {
    const box = [Infinity, Infinity, -1, -1];
    for (let y = 0; y < image.height; ++y)
        for (let x = 0; x < image.width; ++x)
            if (pixel(image, x, y).every((channel, i) => channel === colour[i]) === matching)
                box.splice(0, 4, Math.min(box[0], x), Math.min(box[1], y), Math.max(box[2], x + 1),
                           Math.max(box[3], y + 1));
    return box[2] < 0 ? null : box;
}

// A Gaussian blur as Pillow's GaussianBlur makes it: three passes of a box blur whose radius has
// a fractional part, edges repeated, each pass rounded back to whole channel values.
function blurred({ data, width, height }, radius) {
    const sigma2 = (radius * radius) / 3;
    const whole = Math.floor((Math.sqrt(12 * sigma2 + 1) - 1) / 2);
    const box = whole + ((2 * whole + 1) * (whole * (whole + 1) - 3 * sigma2)) /
        (6 * (sigma2 - (whole + 1) * (whole + 1)));
    let channels = Float64Array.from(data);
    for (let pass = 0; pass < 6; ++pass) {
        const horizontal = pass % 2 === 0, size = horizontal ? width : height;
        const next = new Float64Array(channels.length);
        for (let line = 0; line < (horizontal ? height : width); ++line)
            for (let c = 0; c < 3; ++c) {
                const at = (i) => (horizontal ? line * width + i : i * width + line) * 4 + c;
                const get = (i) => channels[at(Math.min(size - 1, Math.max(0, i)))];
                for (let i = 0; i < size; ++i) {
                    let sum = (box - whole) * (get(i - whole - 1) + get(i + whole + 1));
                    for (let k = -whole; k <= whole; ++k)
                        sum += get(i + k);
                    next[at(i)] = Math.round(sum / (2 * box + 1));
                }
            }
        channels = next;
    }
    return channels;
}

// How many pixels of two images of one size differ once both are softened: by more than
// `largest` in the grey of their difference.
export function differingPixels(shown, expected, softening, largest) {
    const a = blurred(shown, softening), b = blurred(expected, softening);
    let differing = 0;
    for (let at = 0; at < a.length; at += 4) {
        const grey = [299, 587, 114].reduce((sum, weight, c) =>
            sum + weight * Math.abs(a[at + c] - b[at + c]), 0) / 1000;
        differing += Math.floor(grey) > largest ? 1 : 0;
    }
    return differing;
}
