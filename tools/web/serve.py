#!/usr/bin/python3
"""Serves a folder (the built site) on http://127.0.0.1:PORT/ until Ctrl+C.

    serve.py FOLDER [PORT]
"""

import sys
import time

import devtools

if len(sys.argv) not in (2, 3):
    sys.exit(__doc__)
with devtools.serve(sys.argv[1], port=int(sys.argv[2]) if len(sys.argv) == 3 else 8000) as origin:
    print(f"Serving {sys.argv[1]} at {origin}/ (Ctrl+C ends)", flush=True)
    try:
        while True:
            time.sleep(3600)
    except KeyboardInterrupt:
        pass
