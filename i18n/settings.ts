<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="zh_CN">
<context>
    <name>MACSET_Form</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>常规设置</source>
        <translation>General</translation>
    </message>
    <message>
        <source>静噪等级</source>
        <translation>Squelch Level</translation>
    </message>
    <message>
        <source>扫描方式</source>
        <translation>Scan Mode</translation>
    </message>
    <message>
        <source>尾音消除</source>
        <translation>Tail Elimination</translation>
    </message>
    <message>
        <source>声音设置</source>
        <translation>Sound</translation>
    </message>
    <message>
        <source>发射带1750音</source>
        <translation>TX 1750 Hz Tone</translation>
    </message>
    <message>
        <source>语音类型</source>
        <translation>Voice Prompt</translation>
    </message>
    <message>
        <source>倒地报警</source>
        <translation>Man Down Alarm</translation>
    </message>
    <message>
        <source>省电设置</source>
        <translation>Power Saving</translation>
    </message>
    <message>
        <source>声控等级</source>
        <translation>VOX Level</translation>
    </message>
    <message>
        <source>发射限时</source>
        <translation>TX Time-out</translation>
    </message>
    <message>
        <source>省电比例</source>
        <translation>Battery Save</translation>
    </message>
    <message>
        <source>DTMF编码</source>
        <translation>DTMF Encode</translation>
    </message>
    <message>
        <source>PTT ID码</source>
        <translation>PTT ID</translation>
    </message>
    <message>
        <source> 0-9/A-F </source>
        <translation> 0-9/A-F </translation>
    </message>
    <message>
        <source>PTT发码条件</source>
        <translation>PTT ID Send</translation>
    </message>
    <message>
        <source>DTMF侧音</source>
        <translation>DTMF Sidetone</translation>
    </message>
    <message>
        <source>DTMF解码</source>
        <translation>DTMF Decode</translation>
    </message>
    <message>
        <source>身份码</source>
        <translation>ID Code</translation>
    </message>
    <message>
        <source> 0-9</source>
        <translation> 0-9</translation>
    </message>
    <message>
        <source>遥晕码</source>
        <translation>Stun Code</translation>
    </message>
    <message>
        <source>遥毙码</source>
        <translation>Kill Code</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>打开</source>
        <translation>On</translation>
    </message>
    <message>
        <source>载波</source>
        <translation>Carrier</translation>
    </message>
    <message>
        <source>时间</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>中文</source>
        <translation>Chinese</translation>
    </message>
    <message>
        <source>英文</source>
        <translation>English</translation>
    </message>
    <message>
        <source>发射开始</source>
        <translation>TX Start</translation>
    </message>
    <message>
        <source>发射结束</source>
        <translation>TX End</translation>
    </message>
    <message>
        <source>修改%1</source>
        <translation>Edit %1</translation>
    </message>
</context>
<context>
    <name>RADIOSET_Form</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>收音机设置</source>
        <translation>FM Radio</translation>
    </message>
    <message>
        <source>收音机信道</source>
        <translation>FM Channel</translation>
    </message>
    <message>
        <source>频率(Mhz)</source>
        <translation>Freq (MHz)</translation>
    </message>
    <message>
        <source>修改收音机频率</source>
        <translation>Edit FM frequency</translation>
    </message>
</context>
</TS>
