"""A scatter plot written as a PNG with the standard library alone: points, a grid, digits on the axes."""
import os
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tools"))
from rgb_png import write_rgb_png  # noqa: E402

# 3 x 5 digits, one string of rows per digit.
DIGITS = ["111101101101111", "010110010010111", "111001111100111", "111001111001111", "101101111001001",
          "111100111001111", "111100111101111", "111001001001001", "111101111101111", "111101111001111"]


class Plot:
    def __init__(self, width, height, y_max=40.0, y_step=5.0, x_step=30.0):
        self.width, self.height = width, height
        self.y_max, self.y_step, self.x_step = y_max, y_step, x_step
        self.left, self.bottom, self.top, self.right = 36, 20, 10, 10
        self.series_list, self.lines = [], []

    def series(self, xs, ys, colour):
        self.series_list.append((xs, ys, colour))

    def hline(self, y, colour):
        self.lines.append((y, colour))

    def save(self, path):
        pixels = bytearray(b"\xff" * (self.width * self.height * 3))
        x_max = max((max(xs) for xs, _, _ in self.series_list if xs), default=1.0) or 1.0
        plot_w = self.width - self.left - self.right
        plot_h = self.height - self.top - self.bottom

        def put(x, y, colour):
            if 0 <= x < self.width and 0 <= y < self.height:
                at = (y * self.width + x) * 3
                pixels[at:at + 3] = bytes(colour)

        def to_x(value):
            return self.left + round(value / x_max * (plot_w - 1))

        def to_y(value):
            return self.top + plot_h - 1 - round(min(max(value, 0.0), self.y_max) / self.y_max * (plot_h - 1))

        def text(number, x, y):
            for digit in str(number):
                glyph = DIGITS[int(digit)]
                for row in range(5):
                    for column in range(3):
                        if glyph[row * 3 + column] == "1":
                            put(x + column, y + row, (0, 0, 0))
                x += 4

        grey = (225, 225, 225)
        value = 0.0
        while value <= self.y_max:
            for x in range(self.left, self.left + plot_w):
                put(x, to_y(value), grey)
            label = int(value)
            text(label, self.left - 4 - 4 * len(str(label)), to_y(value) - 2)
            value += self.y_step
        value = 0.0
        while value <= x_max:
            for y in range(self.top, self.top + plot_h):
                put(to_x(value), y, grey)
            text(int(value), to_x(value) - 2 * len(str(int(value))), self.height - self.bottom + 6)
            value += self.x_step
        for y, colour in self.lines:
            for x in range(self.left, self.left + plot_w):
                put(x, to_y(y), colour)
        for x in range(self.left, self.left + plot_w):
            put(x, self.top + plot_h - 1, (0, 0, 0))
        for y in range(self.top, self.top + plot_h):
            put(self.left, y, (0, 0, 0))
        for xs, ys, colour in self.series_list:
            for x_value, y_value in zip(xs, ys):
                cx, cy = to_x(x_value), to_y(y_value)
                for dx, dy in ((-1, 0), (0, -1), (0, 0), (1, 0), (0, 1)):
                    put(cx + dx, cy + dy, colour)

        write_rgb_png(path, self.width, self.height, pixels)
