# --version writes the version and ends before anything loads or reads.
replay a.spr racer=alpha time=1,20,0,0
args: --version a.spr
stdin:
<pdb
stdout:
|zeb 1.3.0$
