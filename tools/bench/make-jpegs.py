#!/usr/bin/env python3
"""Writes N copies of a template JPEG, each with its own Exif date-times.

usage: make-jpegs.py TEMPLATE FOLDER N
The template must hold the text 2000:01:01 00:00:00 in its date tags; every copy gets a
date one minute after the one before.
"""
import datetime
import os
import sys

template, folder, count = sys.argv[1], sys.argv[2], int(sys.argv[3])
data = open(template, "rb").read()
marker = b"2000:01:01 00:00:00"
assert marker in data, "the template holds no 2000:01:01 00:00:00 date"
os.makedirs(folder, exist_ok=True)
start = datetime.datetime(2001, 1, 1)
for i in range(count):
    when = (start + datetime.timedelta(minutes=i)).strftime("%Y:%m:%d %H:%M:%S").encode()
    with open(os.path.join(folder, "IMG_%06d.jpg" % i), "wb") as f:
        f.write(data.replace(marker, when))
