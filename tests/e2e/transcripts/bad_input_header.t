# Header text fields that fill their slots without a NUL, and time bytes
# and split counts at their extremes.
replay no_nul.spr magic=LFSSPR text@16=VERSION8 text@24=BL1R mass=65 text@32=TTTTTTTTTTTTTTTTTTTTTTTTTTTTTTTT text@64=RRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRR text@96=CCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCC text@160=LLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLL
replay long_racer.spr racer=RRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRR code=BL2
replay max_time.spr racer=slow time=255,255,255,255 code=BL1R
replay splits255.spr racer=none splits=255 code=BL1R
stdin:
<l no_nul.spr
<p
<l long_racer.spr
<l max_time.spr
<p
<l splits255.spr
<pdb
<find RRRRRRRRRRRRRRRRRRRRRRRRRRRRRRR
<q
stdout:
|ZEB> \tno_nul.spr loaded!$
|\tnot added to the database (unknown track, car or short track)$
|ZEB> LFSSPR:\t\tLFSSPR$
|Qual mins:\t0$
|Laps byte:\t0$
|Skill level:\t0$
|Wind strength:\t0$
|Hotlap mode:\t1$
|LFS version:\tVERSION8$
|Track code:\tBL1RA$
|Added mass:\t65$
|Intake restr.:\t0$
|Track name:\tTTTTTTTTTTTTTTTTTTTTTTTTTTTTTTTT$
|Configuration:\t1$
|Reversed:\t0$
|S2 username:\tRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRR$
|Car name:\tCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCC$
|Weather:\t0$
|# of players:\t1$
|Player flags:\t0$
|Best lap\t1$
|# of splits:\t1$
|1st split:\t103618305$
|2nd split:\t0$
|3rd split:\t0$
|4th split:\t0$
|Best lfstime:\t01:23.456 (103618305)$
|Local player:\tLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLL$
|ZEB> \tlong_racer.spr loaded!$
|\tappended at pos 0$
|ZEB> \tmax_time.spr loaded!$
|\tappended at pos 0$
|ZEB> LFSSPR:\t\tLFSSPR$
|Qual mins:\t0$
|Laps byte:\t0$
|Skill level:\t0$
|Wind strength:\t0$
|Hotlap mode:\t1$
|LFS version:\t0.6T$
|Track code:\tBL1R$
|Added mass:\t0$
|Intake restr.:\t0$
|Track name:\tBlackwood$
|Configuration:\t1$
|Reversed:\t0$
|S2 username:\tslow$
|Car name:\tXR GT TURBO$
|Weather:\t0$
|# of players:\t1$
|Player flags:\t0$
|Best lap\t1$
|# of splits:\t1$
|1st split:\t-1$
|2nd split:\t0$
|3rd split:\t0$
|4th split:\t0$
|Best lfstime:\t255:255.255255 (-1)$
|Local player:\tracer$
|ZEB> \tsplits255.spr loaded!$
|\tinserted at pos: 0$
|ZEB> $
|POS\tRACER\t\tsTRK\tCAR\t\tLAPTIME (LAP)$
|--------------------------------------------------------------$
|0\tRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRR\t\tBL2\tXR GT TURBO    \t01:23.456 (1)$
|0\tnone\t\tBL1R\tXR GT TURBO    \t127:127.1 (1)$
|1\tslow\t\tBL1R\tXR GT TURBO    \t255:255.2 (1)$
|$
|ZEB> RRRRRRRRRRRRRRRRRRRRRRRRRRRRRRR found on track Blackwood (bl2) with XR GT TURBO, at pos 0$
|ZEB> %
